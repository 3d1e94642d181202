#include "app/forms.h"

#include <QApplication>
#include <QFont>

#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "prefs/prefform.h"
#include "ufif/badaddrform.h"
#include "ufif/expertsform.h"
#include "ufif/iconform.h"
#include "ufif/okbottomdlg.h"

TAboutBox* AboutBox = nullptr;
TPrefForm* PrefForm = nullptr;
TExpertsForm* ExpertsForm = nullptr;
TOKBottomDlg* OKBottomDlg = nullptr;
TBadAddrForm* BadAddrForm = nullptr;
TIconForm* IconForm = nullptr;

namespace {

constexpr int ApplicationFontPixels = 11;

// Each dialog is parented to the main window, which owns it and on which it centres.
template <typename TDialog>
TDialog* CreateDialog(TDialog*& instance, const char* name) {
  instance = new TDialog(Form1);
  instance->setObjectName(QString::fromLatin1(name));
  return instance;
}

}  // namespace

void UseApplicationFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(ApplicationFontPixels);
  QApplication::setFont(font);
}

TApplicationForms::TApplicationForms() {
  UseApplicationFont();
  form1_ = std::make_unique<TForm1>();
  Form1 = form1_.get();
  Form1->setObjectName(QStringLiteral("Form1"));
  CreateDialog(AboutBox, "AboutBox");
  CreateDialog(PrefForm, "PrefForm");
  CreateDialog(ExpertsForm, "ExpertsForm");
  CreateDialog(OKBottomDlg, "OKBottomDlg");
  CreateDialog(BadAddrForm, "BadAddrForm");
  CreateDialog(IconForm, "IconForm");
}

TApplicationForms::~TApplicationForms() {
  IconForm = nullptr;
  BadAddrForm = nullptr;
  OKBottomDlg = nullptr;
  ExpertsForm = nullptr;
  PrefForm = nullptr;
  AboutBox = nullptr;
  form1_.reset();
  Form1 = nullptr;
}
