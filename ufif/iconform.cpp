#include "ufif/iconform.h"

// SCAFFOLD
TIconForm::TIconForm(QWidget* parent) : QDialog(parent) {}
