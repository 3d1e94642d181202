#pragma once
// The prompt for a folder that may not be there yet (a backup's new folder): the user types
// its path, or browses to an existing one. Choose takes any path typed at once: an existing
// folder as it is, a path that is not there when a new folder can be made there (the work
// it is for makes it, so a cancelled one leaves none).

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFolderPrompt : public QDialog {
  Q_OBJECT
 public:
  TFolderPrompt(QWidget* parent, const QString& title);

  // The folder chosen, as an absolute path.
  QString Folder() const { return folder_; }

  void accept() override;

 private:
  void Browse();

  QLineEdit* path_ = nullptr;
  QLabel* problem_ = nullptr;
  QPushButton* choose_ = nullptr;
  QString folder_;
};
