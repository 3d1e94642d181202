#pragma once
// The application's forms, created once at start-up in this order and alive until exit.
// The main window's global serves the wiring here and the tests' base class; the dialogs
// are the window's (TForm1::Dialogs), each with its classic name as its object name.

#include <QString>
#include <memory>

#include "transfer/history.h"

class QMainWindow;
class TForm1;
class TSlotWindow;
struct TWindowDialogs;

// The font the windows are laid out for: 11 pixels of Arial (or its metric twin Liberation
// Sans), as wide as MS Sans Serif 8 pt, so every caption fits the forms' fixed geometry
// whatever the platform's own font is. Pixels rather than points keep it so at any DPI.
void UseApplicationFont();

// The name the desktop shows for the program and its icon, on every window.
void UseApplicationIdentity();

// Sets the application font and identity, then creates Form1 and its dialogs AboutBox,
// PrefForm, ExpertsForm, OKBottomDlg, BadAddrForm, IconForm, UploadPlanDialog, HistoryDialog
// and PhoneLinkDialog in that order; destroying it destroys them all and clears Form1.
class TApplicationForms {
 public:
  // settingsPath: the main window's settings file; empty for the usual place. history: where
  // the window's changes are kept; nothing is kept unless it is given.
  explicit TApplicationForms(const QString& settingsPath = QString(),
                             const THistoryConfig& history = THistoryConfig());
  ~TApplicationForms();
  TApplicationForms(const TApplicationForms&) = delete;
  TApplicationForms& operator=(const TApplicationForms&) = delete;

  void ShowMainWindow();
  // The main window, for tools that drive it from outside as the user does (the
  // benchmarks): as a widget, whose controls they find by name, and as its parts see it.
  QMainWindow& MainWindow() const;
  TSlotWindow& SlotWindow() const;

 private:
  void ConnectDialogs(const TWindowDialogs& dialogs);

  std::unique_ptr<TForm1> form1_;  // owns the dialogs as their parent
};
