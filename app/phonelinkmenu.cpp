// File > Phone link...: the [Link] settings in a dialog, saved on OK and used from the next
// command on; "Test link" tries the choice in the dialog on the port of the window.

#include <QAction>

#include "app/linkthread.h"
#include "app/mainwindow.h"
#include "common/errors.h"
#include "common/modal.h"
#include "link/gbplibrary.h"
#include "link/linktest.h"
#include "link/nvmsection.h"
#include "link/ui/phonelinkdialog.h"
#include "ui_mainwindow.h"

void TForm1::AddPhoneLinkMenu() {
  connect(ui->PhoneLinkAction, &QAction::triggered, this,
          [this] { RunCommand([this] { PhoneLinkActionExecute(); }); });
}

void TForm1::PhoneLinkActionExecute() {
  TPhoneLinkDialog* dialog = dialogs_.PhoneLink;
  dialog->SetChoice(ReadLinkSettings(SettingsPath()));
  const int port = int(NVM->COMPort()) + 1;
  dialog->OnTestLink = [this, port](const TLinkChoice& choice) {
    // A library of its own, so the window's link stays as it is until OK.
    TLinkTestOutcome outcome;
    linkThread_->Run([&] {
      TGBPLibrary library(choice);
      outcome = TestLink(library, port);
    });
    return outcome;
  };
  if (Modal().ExecDialog(dialog) != mrOk)
    return;
  const TLinkChoice choice = dialog->Choice();
  WriteLinkSettings(SettingsPath(), choice);
  NVM->UseChoice(choice);
}
