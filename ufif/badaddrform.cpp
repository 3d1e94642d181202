#include "ufif/badaddrform.h"

// SCAFFOLD
TBadAddrForm::TBadAddrForm(QWidget* parent) : QDialog(parent) {}
