#include "ufif/okbottomdlg.h"

// SCAFFOLD
TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QDialog(parent) {}
