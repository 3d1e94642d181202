#pragma once
// The manager's modal interactions as the user sees them: Qt message boxes and file dialogs.

#include "common/modal.h"

class TQtModal final : public TModalUI {
 public:
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
};
