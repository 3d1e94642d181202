#include "tests/support/scriptedmodal.h"

#include <QCoreApplication>

TScriptedModal::TScriptedModal() : scope_(*this) {}

TScriptedModal::~TScriptedModal() = default;

QStringList TScriptedModal::ShownTexts() const {
  QStringList texts;
  for (const TShownBox& box : Shown)
    texts << box.Text;
  return texts;
}

void TScriptedModal::Clear() {
  Shown.clear();
  OpenedDialogs.clear();
  FileDialogTitles.clear();
  SuggestedNames.clear();
  Unexpected.clear();
}

void TScriptedModal::ShowMessage(QObject*, const QString& text, const QString& caption) {
  Shown.append({TShownBox::Message, caption, text});
  if (WhenShown)
    WhenShown();
}

void TScriptedModal::ShowMessageDetail(QObject*, const QString& text, const QString& detail,
                                       const QString& caption) {
  Shown.append({TShownBox::Message, caption, text, detail});
  if (WhenShown)
    WhenShown();
}

void TScriptedModal::ShowWarning(QObject*, const QString& text, const QString& caption) {
  Shown.append({TShownBox::Warning, caption, text});
  if (WhenShown)
    WhenShown();
}

bool TScriptedModal::Confirm(QObject*, const QString& text) {
  Shown.append({TShownBox::Confirmation, QStringLiteral("Confirm"), text});
  if (ConfirmAnswers.isEmpty()) {
    Unexpected << QStringLiteral("unscripted confirmation: ") + text;
    return false;
  }
  return ConfirmAnswers.dequeue();
}

QString TScriptedModal::OpenFileName(QObject*, const QString& title) {
  FileDialogTitles << title;
  if (OpenFileNames.isEmpty()) {
    Unexpected << QStringLiteral("unscripted open dialog");
    return {};
  }
  return OpenFileNames.dequeue();
}

QStringList TScriptedModal::OpenFiles(QObject*, const QString& title) {
  FileDialogTitles << title;
  if (OpenFileLists.isEmpty()) {
    Unexpected << QStringLiteral("unscripted open dialog for several files");
    return {};
  }
  return OpenFileLists.dequeue();
}

QString TScriptedModal::SaveFileName(QObject*, const QString& title, const QString& suggested) {
  FileDialogTitles << title;
  SuggestedNames << suggested;
  if (SaveFileNames.isEmpty()) {
    Unexpected << QStringLiteral("unscripted save dialog");
    return {};
  }
  return SaveFileNames.dequeue();
}

QString TScriptedModal::FolderName(QObject*, const QString& title, TFolderUse) {
  FileDialogTitles << title;
  if (FolderNames.isEmpty()) {
    Unexpected << QStringLiteral("unscripted folder dialog: ") + title;
    return {};
  }
  return FolderNames.dequeue();
}

int TScriptedModal::Choose(QObject*, const QString& caption, const QString& text,
                           const QStringList& buttons) {
  Shown.append({TShownBox::Choice, caption, text, buttons.join(QLatin1Char('|'))});
  if (Choices.isEmpty()) {
    Unexpected << QStringLiteral("unscripted choice: ") + text;
    return -1;
  }
  return Choices.dequeue();
}

int TScriptedModal::ExecDialog(QDialog* dialog) {
  OpenedDialogs << dialog->objectName();
  // Shown for real, so its show and hide handlers run as they do for the user.
  dialog->show();
  QCoreApplication::processEvents();
  int result = mrCancel;
  if (DialogScripts.isEmpty()) {
    Unexpected << QStringLiteral("unscripted dialog: ") + dialog->objectName();
  } else {
    result = DialogScripts.dequeue()(dialog);
  }
  dialog->done(result);
  QCoreApplication::processEvents();
  return result;
}

void TScriptedModal::ShowError(const QString& message) {
  Shown.append({TShownBox::Error, QStringLiteral("Kiv Manager"), message});
}
