#pragma once
// Every modal interaction of the manager goes through TModalUI: message boxes, the
// confirmation question, file dialogs, modal dialogs and the application's error box.
// The manager installs the Qt implementation; tests install a scripted one that answers
// from a script and records what the user was shown.

#include <QString>
#include <QStringList>

class QObject;
class QDialog;

// What a folder prompt accepts: a folder that is there, or also one it is to make.
enum class TFolderUse { Existing, New };

// Modal results, compared by value as the dialogs return them.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TModalUI {
 public:
  virtual ~TModalUI() = default;

  // A box with no icon and one OK button; caption as given, parented to owner's window.
  virtual void ShowMessage(QObject* owner, const QString& text, const QString& caption) = 0;
  // The same box with a second, smaller line under the text (why, where): the text itself
  // stays as the box's main text.
  virtual void ShowMessageDetail(QObject* owner, const QString& text, const QString& detail,
                                 const QString& caption) = 0;
  // The box with a warning icon: work that ended short of what was asked.
  virtual void ShowWarning(QObject* owner, const QString& text, const QString& caption) = 0;
  // Question icon, title "Confirm", OK and Cancel; true when the user chose OK.
  virtual bool Confirm(QObject* owner, const QString& text) = 0;
  // File dialogs titled with what they are for ("Upload into 18-16"); an empty name means
  // the user cancelled.
  virtual QString OpenFileName(QObject* owner, const QString& title) = 0;
  // Several files at once; empty when the user cancelled.
  virtual QStringList OpenFiles(QObject* owner, const QString& title) = 0;
  // A file to save into, offered as suggested (a name, or empty for none); empty when the
  // user cancelled.
  virtual QString SaveFileName(QObject* owner, const QString& title, const QString& suggested) = 0;
  // A folder, titled with what it is for; empty when the user cancelled. For TFolderUse::New
  // the user may also name a folder that is not there yet, which the caller makes.
  virtual QString FolderName(QObject* owner, const QString& title, TFolderUse use) = 0;
  // A question with buttons of its own ("Replace", "Skip"...), captioned as given; the index
  // of the button chosen, or -1 when the box was closed without one.
  virtual int Choose(QObject* owner, const QString& caption, const QString& text,
                     const QStringList& buttons) = 0;
  // Shows a dialog modally and returns its modal result (closing by the title bar is Cancel).
  virtual int ExecDialog(QDialog* dialog) = 0;
  // The application's error box: title "Kiv Manager", error icon, OK.
  virtual void ShowError(const QString& message) = 0;
};

// The interface in force. Without an installed one, boxes go to stderr and every
// question is answered with Cancel, which suits programs without a window.
TModalUI& Modal();

// Installs an implementation for its lifetime and restores the previous one afterwards.
class TModalScope {
 public:
  explicit TModalScope(TModalUI& modal);
  ~TModalScope();
  TModalScope(const TModalScope&) = delete;
  TModalScope& operator=(const TModalScope&) = delete;

 private:
  TModalUI* previous_;
};
