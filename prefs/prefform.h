#pragma once
// SCAFFOLD: the class is filled in by the work on its subsystem.

#include <QDialog>

class TPrefForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPrefForm(QWidget* parent = nullptr);
};
