#include "app/phonelinkmenu.h"

#include <QAction>

#include "app/linkthread.h"
#include "app/slotwindow.h"
#include "app/windowdialogs.h"
#include "common/errors.h"
#include "common/modal.h"
#include "link/findphone.h"
#include "link/gbplibrary.h"
#include "link/linktest.h"
#include "link/nvmsection.h"
#include "link/ui/phonelinkdialog.h"
#include "settings/settingsfile.h"

TPhoneLinkMenu::TPhoneLinkMenu(TSlotWindow& window, const TWindowDialogs& dialogs,
                               TLinkThread& linkThread, QAction& phoneLink)
    : window_(window), dialogs_(dialogs), linkThread_(linkThread) {
  QObject::connect(&phoneLink, &QAction::triggered, &phoneLink,
                   [this] { window_.RunCommand([this] { PhoneLinkActionExecute(); }); });
}

void TPhoneLinkMenu::PhoneLinkActionExecute() {
  TPhoneLinkDialog* dialog = dialogs_.PhoneLink;
  TNVMSection& link = window_.Link();
  const int port = int(link.COMPort()) + 1;
  dialog->SetChoice(ReadSettings(window_.SettingsPath()).Link, port);
  dialog->SetInUse(link.InUseText());
  dialog->OnTestLink = [this, port](const TLinkChoice& choice) {
    // A library of its own, so the window's link stays as it is until OK.
    TLinkTestOutcome outcome;
    linkThread_.Run([&] {
      const auto library = MakeGBPLibrary(choice);
      outcome = TestLink(*library, port);
    });
    return outcome;
  };
  dialog->OnFindPhone = [this, port](const TLinkChoice& choice,
                                     const QList<TSerialDeviceInfo>& devices,
                                     const std::atomic<bool>& cancel,
                                     const std::function<void(const TFoundDevice&)>& found) {
    TFindOutcome outcome;
    linkThread_.Run([&] { outcome = FindPhone(choice, port, devices, cancel, found); });
    return outcome;
  };
  if (Modal().ExecDialog(dialog) != mrOk)
    return;
  const TLinkChoice choice = dialog->Choice();
  // In force even when the settings file cannot take it: the user chose it.
  link.UseChoice(choice);
  WriteLinkSettings(window_.SettingsPath(), choice);
  if (dialog->Port() != port)
    window_.ChoosePort(dialog->Port());
}
