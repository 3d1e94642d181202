#include "app/forms.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>

#include "app/aboutbox.h"
#include "app/fittexts.h"
#include "app/mainwindow.h"
#include "link/ui/phonelinkdialog.h"
#include "prefs/ui/prefform.h"
#include "settings/ui/expertsform.h"
#include "transfer/ui/historydialog.h"
#include "transfer/ui/uploadplandialog.h"
#include "ufif/ui/badaddrform.h"
#include "ufif/ui/iconform.h"
#include "ufif/ui/okbottomdlg.h"

TAboutBox* AboutBox = nullptr;
TPrefForm* PrefForm = nullptr;
TExpertsForm* ExpertsForm = nullptr;
TOKBottomDlg* OKBottomDlg = nullptr;
TBadAddrForm* BadAddrForm = nullptr;
TIconForm* IconForm = nullptr;
TUploadPlanDialog* UploadPlanDialog = nullptr;
THistoryDialog* HistoryDialog = nullptr;
TPhoneLinkDialog* PhoneLinkDialog = nullptr;

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

// No display name: the xcb and Wayland platforms would add it to every window's title, and each
// window's title is its own caption alone.
void UseApplicationIdentity() {
  QGuiApplication::setDesktopFileName(QStringLiteral("org.kivmanager.KivManager"));
  QIcon icon;
  for (const QString& file : QDir(QStringLiteral(":/appicon")).entryList(QDir::Files))
    icon.addFile(QStringLiteral(":/appicon/") + file);
  QApplication::setWindowIcon(icon);
}

TApplicationForms::TApplicationForms(const QString& settingsPath) {
  UseApplicationFont();
  UseApplicationIdentity();
  form1_ = std::make_unique<TForm1>(settingsPath);
  Form1 = form1_.get();
  Form1->setObjectName(QStringLiteral("Form1"));
  CreateDialog(AboutBox, "AboutBox");
  CreateDialog(PrefForm, "PrefForm");
  CreateDialog(ExpertsForm, "ExpertsForm");
  CreateDialog(OKBottomDlg, "OKBottomDlg");
  CreateDialog(BadAddrForm, "BadAddrForm");
  CreateDialog(IconForm, "IconForm");
  CreateDialog(UploadPlanDialog, "UploadPlanDialog");
  CreateDialog(HistoryDialog, "HistoryDialog");
  CreateDialog(PhoneLinkDialog, "PhoneLinkDialog");
  // Drawn at fixed places for their English texts: a translation's may need more room.
  for (QWidget* dialog :
       std::initializer_list<QWidget*>{AboutBox, ExpertsForm, OKBottomDlg, BadAddrForm, IconForm})
    FitTexts(dialog);
  ConnectDialogs();
}

void TApplicationForms::ShowMainWindow() {
  form1_->show();
}

// The dialogs know each other and the main window only through these hooks.
void TApplicationForms::ConnectDialogs() {
  Form1->UseDialogs({AboutBox, PrefForm, ExpertsForm, OKBottomDlg, BadAddrForm, IconForm,
                     UploadPlanDialog, HistoryDialog, PhoneLinkDialog});
  OKBottomDlg->SetFirmwareField(ExpertsForm->FirmwareField());
  // The firmware picked at the conversion prompt becomes the stored choice.
  OKBottomDlg->OnFirmwarePicked = [] { Form1->SaveSettings(); };
  PrefForm->OnShow = [] { Form1->GetPrefActionExecute(); };
}

TApplicationForms::~TApplicationForms() {
  PhoneLinkDialog = nullptr;
  HistoryDialog = nullptr;
  UploadPlanDialog = nullptr;
  IconForm = nullptr;
  BadAddrForm = nullptr;
  OKBottomDlg = nullptr;
  ExpertsForm = nullptr;
  PrefForm = nullptr;
  AboutBox = nullptr;
  form1_.reset();
  Form1 = nullptr;
}
