#pragma once
// SCAFFOLD: the class is filled in by the work on its subsystem.

#include <QDialog>

class TBadAddrForm : public QDialog {
  Q_OBJECT
 public:
  explicit TBadAddrForm(QWidget* parent = nullptr);
};
