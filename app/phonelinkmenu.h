#pragma once
// File > Phone link...: the [Link] settings in a dialog, saved on OK and used from the next
// command on; "Test link" and "Find phone" try the choice in the dialog on the port of the
// window, on the link thread, so the window stays alive.

class QAction;
class TLinkThread;
class TSlotWindow;
struct TWindowDialogs;

class TPhoneLinkMenu {
 public:
  // The action, the dialogs and the link thread outlive the controller.
  TPhoneLinkMenu(TSlotWindow& window, const TWindowDialogs& dialogs, TLinkThread& linkThread,
                 QAction& phoneLink);

 private:
  void PhoneLinkActionExecute();

  TSlotWindow& window_;
  const TWindowDialogs& dialogs_;
  TLinkThread& linkThread_;
};
