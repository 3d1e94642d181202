#include "app/folderprompt.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/windowtexts.h"

namespace {

// The work the folder is chosen for makes it, and takes it away again when the work fails
// or is cancelled; here it is only seen to be possible: the nearest folder that is there
// above it takes new folders.
bool CanBeMade(const QString& path) {
  QFileInfo above(path);
  while (!above.exists())
    above = QFileInfo(above.path());
  return above.isDir() && above.isWritable();
}

}  // namespace

TFolderPrompt::TFolderPrompt(QWidget* parent, const QString& title) : QDialog(parent) {
  setWindowTitle(title);
  setObjectName(QStringLiteral("FolderPrompt"));
  path_ = new QLineEdit(QDir::toNativeSeparators(QDir::homePath() + QLatin1Char('/')), this);
  path_->setObjectName(QStringLiteral("FolderPath"));
  path_->setMinimumWidth(360);
  auto* folders = new QFileSystemModel(this);
  folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  folders->setRootPath(QString());
  path_->setCompleter(new QCompleter(folders, this));
  auto* browse = new QPushButton(tr("&Browse..."), this);
  connect(browse, &QPushButton::clicked, this, &TFolderPrompt::Browse);
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("FolderProblem"));
  problem_->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  choose_ = buttons->addButton(tr("&Choose"), QDialogButtonBox::AcceptRole);
  choose_->setObjectName(QStringLiteral("ChooseButton"));
  choose_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(path_, &QLineEdit::textChanged, this, [this](const QString& text) {
    choose_->setEnabled(!text.trimmed().isEmpty());
    problem_->clear();
  });

  auto* row = new QHBoxLayout;
  row->addWidget(path_, 1);
  row->addWidget(browse);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("&Folder (a new one is made):"), this));
  layout->addLayout(row);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
  qobject_cast<QLabel*>(layout->itemAt(0)->widget())->setBuddy(path_);
  KeepTextsWhole(this);
}

void TFolderPrompt::Browse() {
  const QString chosen = QFileDialog::getExistingDirectory(this, windowTitle(), path_->text());
  if (!chosen.isEmpty())
    path_->setText(QDir::toNativeSeparators(chosen));
}

// A relative path is taken from the home folder, where the prompt starts.
void TFolderPrompt::accept() {
  const QString typed = QDir::fromNativeSeparators(path_->text().trimmed());
  if (typed.isEmpty())
    return;
  const QString path = QDir::cleanPath(QDir::home().absoluteFilePath(typed));
  const QFileInfo info(path);
  if (info.exists() && !info.isDir()) {
    problem_->setText(tr("%1 is a file, not a folder.").arg(QDir::toNativeSeparators(path)));
    return;
  }
  if (!info.exists() && !CanBeMade(path)) {
    problem_->setText(tr("The folder %1 could not be made.").arg(QDir::toNativeSeparators(path)));
    return;
  }
  folder_ = path;
  QDialog::accept();
}
