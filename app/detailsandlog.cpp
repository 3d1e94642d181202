// The slot details and the phone log, as the main window offers them: "Details..." behind a
// separator after the context menu's seven commands, enabled for every row that holds
// something, and View > Phone log.

#include <QAction>
#include <QMenu>

#include "app/mainwindow.h"
#include "app/windowface.h"
#include "catalogue/slotdetails.h"
#include "catalogue/ui/detailsdialog.h"
#include "common/errors.h"
#include "common/ui/windowcommand.h"
#include "link/ui/phonelogwindow.h"
#include "ui_mainwindow.h"

void TForm1::AddDetailsAndPhoneLog() {
  DetailsAction = new QAction(QStringLiteral("Details..."), this);
  DetailsAction->setObjectName(QStringLiteral("DetailsAction"));
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(DetailsAction);
  // Whichever way the menu opens, its row is current by then.
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] {
    const int row = CurrentRow();
    DetailsAction->setEnabled(row >= 1 && HasDetails(Slots.at(row)));
  });
  connect(DetailsAction, &QAction::triggered, this,
          [this] { GuardCommand([this] { DetailsActionExecute(); }); });
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
  if (!PhoneLog) {
    PhoneLog = new TPhoneLogWindow(this);
    PhoneLog->setObjectName(QStringLiteral("PhoneLog"));
  }
  PhoneLog->show();
  PhoneLog->raise();
  PhoneLog->activateWindow();
}
