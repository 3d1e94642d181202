#pragma once
// A modal-interaction interface for tests: answers come from a script, and everything the
// user would have been shown is recorded. Installed for the object's lifetime.

#include <QDialog>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>

#include "common/modal.h"

struct TShownBox {
  enum TKind { Message, Warning, Confirmation, Choice, Error };
  TKind Kind = Message;
  QString Caption;
  QString Text;
  // The line under the text, when there is one; for a choice, its buttons joined by "|".
  QString Detail = QString();
};

class TScriptedModal final : public TModalUI {
 public:
  // Receives the dialog while it is shown; returns the modal result to close it with.
  using TDialogScript = std::function<int(QDialog*)>;

  TScriptedModal();
  ~TScriptedModal() override;

  // Answers, taken in order. A question with no answer left is a test failure: it is
  // recorded in Unexpected and answered with Cancel.
  QQueue<bool> ConfirmAnswers;
  QQueue<QString> OpenFileNames;
  QQueue<QStringList> OpenFileLists;
  QQueue<int> Choices;  // the index of the button chosen in each Choose
  QQueue<QString> SaveFileNames;
  QQueue<QString> FolderNames;
  QQueue<TDialogScript> DialogScripts;

  // What was shown, in order.
  QList<TShownBox> Shown;
  QStringList OpenedDialogs;     // object names of the dialogs shown
  QStringList FileDialogTitles;  // titles of the file and folder dialogs shown
  QStringList SuggestedNames;    // the names the save dialogs offered
  QStringList Unexpected;
  // Called as each box is shown, after it is recorded: to look at the window behind it.
  std::function<void()> WhenShown;

  // The texts of the boxes shown, in order, without their kinds.
  QStringList ShownTexts() const;
  void Clear();

  void ShowMessage(QObject* owner, const QString& text, const QString& caption) override;
  void ShowMessageDetail(QObject* owner, const QString& text, const QString& detail,
                         const QString& caption) override;
  void ShowWarning(QObject* owner, const QString& text, const QString& caption) override;
  bool Confirm(QObject* owner, const QString& text) override;
  QString OpenFileName(QObject* owner, const QString& title) override;
  QStringList OpenFiles(QObject* owner, const QString& title) override;
  QString SaveFileName(QObject* owner, const QString& title, const QString& suggested) override;
  QString FolderName(QObject* owner, const QString& title, TFolderUse use) override;
  int Choose(QObject* owner, const QString& caption, const QString& text,
             const QStringList& buttons) override;
  int ExecDialog(QDialog* dialog) override;
  void ShowError(const QString& message) override;

 private:
  TModalScope scope_;
};
