#pragma once
// SCAFFOLD: the class is filled in by the work on its subsystem.

#include <QDialog>

class TOKBottomDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TOKBottomDlg(QWidget* parent = nullptr);
};
