// TForm1's command handlers: each hands the current slot, NVM and the window's face to the
// operation or the subsystem's window command that does the work.

#include <QAction>
#include <QMenu>

#include "app/mainwindow.h"
#include "app/windowface.h"
#include "catalogue/ui/windowcommand.h"
#include "common/errors.h"
#include "common/modal.h"
#include "common/ui/busycursor.h"
#include "details/slotdetails.h"
#include "details/ui/detailsdialog.h"
#include "libraries/ui/librarycommands.h"
#include "link/nvmsection.h"
#include "link/ui/phonelogwindow.h"
#include "prefs/ui/prefcommands.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/convertslot.h"
#include "transfer/ui/backupcommands.h"
#include "transfer/ui/transfercommands.h"
#include "ui_mainwindow.h"

TCatalogue TForm1::Catalogue() {
  return {Slots, CurrentSlotRanges(), ui->CheckBox1->isChecked()};
}

TWindowCommand TForm1::CurrentSlotCommand() {
  return {this, *NVM, Catalogue(), CurrentSlotAddress(), *face_, *face_, history_};
}

int TForm1::RefreshSection(int section, int subsection) {
  TCatalogue catalogue = Catalogue();
  return ::RefreshSection(*NVM, catalogue, {section, subsection}, *face_).Held();
}

void TForm1::Button1Click() {
  TCatalogue catalogue = Catalogue();
  {
    const TBusyCursor busy;
    if (!RefreshAllSlots(*NVM, catalogue, *face_).LinkOpened)
      return;
  }
  SetStatusText(tr("Updated!"));
  Modal().ShowMessage(this, tr("Update done!"), QString());
}

void TForm1::RefreshActionExecute() {
  TCatalogue catalogue = Catalogue();
  const TBusyCursor busy;
  if (RefreshSlot(*NVM, catalogue, CurrentSlotAddress(), *face_).LinkOpened)
    SetStatusText(tr("Refreshed!"));
}

void TForm1::UploadActionExecute() {
  TWindowCommand command = CurrentSlotCommand();
  UploadCommand(command, false);
}

void TForm1::UploadLZOActionExecute() {
  TWindowCommand command = CurrentSlotCommand();
  UploadCommand(command, true);
}

void TForm1::DownloadActionExecute() {
  TWindowCommand command = CurrentSlotCommand();
  DownloadCommand(command);
}

void TForm1::PlayGIFActionExecute() {
  TWindowCommand command = CurrentSlotCommand();
  PlayGIFCommand(command);
}

void TForm1::ClearActionExecute() {
  TWindowCommand command = CurrentSlotCommand();
  ClearCommand(command);
}

void TForm1::ConvertActionExecute() {
  TCatalogue catalogue = Catalogue();
  const TBusyCursor busy;
  ConvertSlot(*NVM, catalogue, CurrentSlotAddress(), history_, *face_, *face_);
}

void TForm1::Button5Click() {
  UploadUFIF2LibraryCommand(this, *NVM, *dialogs_.Pref, history_, *face_);
}

void TForm1::Button6Click() {
  UploadPRG3LibraryCommand(this, *NVM, history_, *face_);
}

void TForm1::Button3Click() {
  PrefDialogCommand(*NVM, *dialogs_.Pref, history_, *face_);
}

void TForm1::GetPrefActionExecute() {
  GetPrefCommand(*NVM, *dialogs_.Pref, *face_);
}

void TForm1::SetPrefActionExecute() {
  SetPrefCommand(*NVM, *dialogs_.Pref, history_, *face_);
}

void TForm1::BackupActionExecute() {
  BackupPhoneCommand(this, *NVM, Catalogue(),
                     {PortName(NVM->COMPort() + 1), NVM->LibraryFile(), NVM->DemoPhone()}, *face_);
}

void TForm1::RestoreActionExecute() {
  TCatalogue catalogue = Catalogue();
  RestorePhoneCommand(this, *NVM, catalogue, history_, *face_);
}

// The slot details and the phone log, as the main window offers them: "Details..." behind a
// separator after the context menu's seven commands, enabled for every row that holds
// something, and View > Phone log.
void TForm1::AddDetailsAndPhoneLog() {
  DetailsAction = new QAction(tr("Details..."), this);
  DetailsAction->setObjectName(QStringLiteral("DetailsAction"));
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(DetailsAction);
  // Whichever way the menu opens, its row is current by then.
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] {
    const int row = CurrentRow();
    DetailsAction->setEnabled(row >= 1 && HasDetails(Slots.at(row)));
  });
  connect(DetailsAction, &QAction::triggered, this,
          [this] { RunCommand([this] { DetailsActionExecute(); }); });
  // Made now, so that it keeps every call from the start.
  PhoneLog = new TPhoneLogWindow(this);
  PhoneLog->setObjectName(QStringLiteral("PhoneLog"));
  connect(ui->PhoneLogAction, &QAction::triggered, this,
          [this] { GuardCommand([this] { PhoneLogActionExecute(); }); });
}

void TForm1::DetailsActionExecute() {
  const int row = CurrentRow();
  if (row < 1 || !HasDetails(Slots.at(row)))
    return;
  TWindowCommand command = CurrentSlotCommand();
  SlotDetailsCommand(command, Slots.at(row));
}

void TForm1::PhoneLogActionExecute() {
  PhoneLog->show();
  PhoneLog->raise();
  PhoneLog->activateWindow();
}
