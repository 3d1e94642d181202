#include "prefs/prefform.h"

// SCAFFOLD
TPrefForm::TPrefForm(QWidget* parent) : QDialog(parent) {}
