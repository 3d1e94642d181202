#include "common/ui/pictureview.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QMovie>
#include <QVBoxLayout>

#include "common/modal.h"

TPictureView::TPictureView(const QByteArray& bytes, QWidget* parent)
    : QLabel(parent), bytes_(bytes), buffer_(&bytes_) {
  setObjectName(QStringLiteral("PictureView"));
  setAlignment(Qt::AlignCenter);
  buffer_.open(QIODevice::ReadOnly);
  auto* movie = new QMovie(&buffer_, QByteArray(), this);
  if (!movie->isValid()) {
    setText(tr("The picture cannot be shown: %1").arg(movie->lastErrorString()));
    delete movie;
    return;
  }
  movie_ = movie;
  setMovie(movie_);
  movie_->start();
}

void ShowPictureDialog(QWidget* owner, const QByteArray& bytes, const QString& title) {
  QDialog dialog(owner);
  dialog.setObjectName(QStringLiteral("PictureDialog"));
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new TPictureView(bytes, &dialog), 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  Modal().ExecDialog(&dialog);
}
