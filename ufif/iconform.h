#pragma once
// SCAFFOLD: the class is filled in by the work on its subsystem.

#include <QDialog>

class TIconForm : public QDialog {
  Q_OBJECT
 public:
  explicit TIconForm(QWidget* parent = nullptr);
};
