#pragma once
// A GIF (or any picture Qt reads) shown from its bytes, animated when it has several frames:
// the Details dialog's picture, and Play GIF's own window when no viewer opens the file.

#include <QBuffer>
#include <QByteArray>
#include <QLabel>

class QMovie;
class QWidget;

class TPictureView : public QLabel {
  Q_OBJECT
 public:
  TPictureView(const QByteArray& bytes, QWidget* parent);
  // The movie that plays, or null when the bytes are no picture (the label then says why).
  QMovie* Movie() const { return movie_; }

 private:
  QByteArray bytes_;
  QBuffer buffer_;
  QMovie* movie_ = nullptr;
};

// Shows the picture in a modal window of its own, titled title, through Modal().
void ShowPictureDialog(QWidget* owner, const QByteArray& bytes, const QString& title);
