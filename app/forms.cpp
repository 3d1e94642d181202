#include "app/forms.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>

#include "app/aboutbox.h"
#include "app/fittexts.h"
#include "app/mainwindow.h"
#include "common/ui/windowtexts.h"
#include "link/ui/phonelinkdialog.h"
#include "prefs/ui/prefform.h"
#include "settings/ui/expertsform.h"
#include "transfer/ui/historydialog.h"
#include "transfer/ui/uploadplandialog.h"
#include "ufif/ui/badaddrform.h"
#include "ufif/ui/iconform.h"
#include "ufif/ui/okbottomdlg.h"

namespace {

constexpr int ApplicationFontPixels = 11;

// Each dialog is parented to the main window, which owns it and on which it centres.
template <typename TDialog>
void CreateDialog(TDialog*& instance, const char* name) {
  instance = new TDialog(Form1);
  instance->setObjectName(QString::fromLatin1(name));
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

TApplicationForms::TApplicationForms(const QString& settingsPath, const THistoryConfig& history) {
  UseApplicationFont();
  UseApplicationIdentity();
  form1_ = std::make_unique<TForm1>(settingsPath, history);
  Form1 = form1_.get();
  Form1->setObjectName(QStringLiteral("Form1"));
  TWindowDialogs dialogs;
  CreateDialog(dialogs.About, "AboutBox");
  CreateDialog(dialogs.Pref, "PrefForm");
  CreateDialog(dialogs.Experts, "ExpertsForm");
  CreateDialog(dialogs.OKBottom, "OKBottomDlg");
  CreateDialog(dialogs.BadAddr, "BadAddrForm");
  CreateDialog(dialogs.Icons, "IconForm");
  CreateDialog(dialogs.UploadPlan, "UploadPlanDialog");
  CreateDialog(dialogs.History, "HistoryDialog");
  CreateDialog(dialogs.PhoneLink, "PhoneLinkDialog");
  // Drawn at fixed places for their English texts: a translation's may need more room.
  for (QWidget* dialog : std::initializer_list<QWidget*>{
           dialogs.About, dialogs.Experts, dialogs.OKBottom, dialogs.BadAddr, dialogs.Icons})
    FitTexts(dialog);
  // Laid out by layouts, which follow their texts once told to.
  for (QWidget* dialog :
       std::initializer_list<QWidget*>{dialogs.UploadPlan, dialogs.History, dialogs.PhoneLink})
    KeepTextsWhole(dialog);
  ConnectDialogs(dialogs);
}

void TApplicationForms::ShowMainWindow() {
  form1_->show();
}

QMainWindow& TApplicationForms::MainWindow() const {
  return *form1_;
}

TSlotWindow& TApplicationForms::SlotWindow() const {
  return *form1_;
}

// The dialogs know each other and the main window only through these hooks.
void TApplicationForms::ConnectDialogs(const TWindowDialogs& dialogs) {
  Form1->UseDialogs(dialogs);
  dialogs.OKBottom->SetFirmwareField(dialogs.Experts->FirmwareField());
  // The firmware picked at the conversion prompt becomes the stored choice.
  dialogs.OKBottom->OnFirmwarePicked = [] { Form1->SaveSettings(); };
  dialogs.Pref->OnShow = [] { Form1->GetPrefActionExecute(); };
}

TApplicationForms::~TApplicationForms() {
  form1_.reset();
  Form1 = nullptr;
}
