// File > Phone link...: the [Link] settings in a dialog, saved on OK and used from the next
// command on; "Test link" and "Find phone" try the choice in the dialog on the port of the
// window, on the link thread, so the window stays alive.

#include <QAction>

#include "app/linkthread.h"
#include "app/mainwindow.h"
#include "common/errors.h"
#include "common/modal.h"
#include "link/findphone.h"
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
  const int port = int(NVM->COMPort()) + 1;
  dialog->SetChoice(ReadLinkSettings(SettingsPath()), port);
  dialog->OnTestLink = [this, port](const TLinkChoice& choice) {
    // A library of its own, so the window's link stays as it is until OK.
    TLinkTestOutcome outcome;
    linkThread_->Run([&] {
      const auto library = MakeGBPLibrary(choice);
      outcome = TestLink(*library, port);
    });
    return outcome;
  };
  dialog->OnFindPhone = [this, port](const TLinkChoice& choice,
                                     const QList<TSerialDeviceInfo>& devices,
                                     const std::atomic<bool>& cancel,
                                     const std::function<void(const TFoundDevice&)>& found) {
    QList<TFoundDevice> all;
    linkThread_->Run([&] { all = FindPhone(choice, port, devices, cancel, found); });
    return all;
  };
  if (Modal().ExecDialog(dialog) != mrOk)
    return;
  const TLinkChoice choice = dialog->Choice();
  WriteLinkSettings(SettingsPath(), choice);
  NVM->UseChoice(choice);
}
