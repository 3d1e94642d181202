#include "common/modal.h"

#include <cstdio>

namespace {

class TConsoleModal final : public TModalUI {
 public:
  void ShowMessage(QObject*, const QString& text, const QString& caption) override {
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
  }
  void ShowMessageDetail(QObject*, const QString& text, const QString& detail,
                         const QString& caption) override {
    std::fprintf(stderr, "%s: %s\n%s\n", qPrintable(caption), qPrintable(text), qPrintable(detail));
  }
  void ShowWarning(QObject* owner, const QString& text, const QString& caption) override {
    ShowMessage(owner, text, caption);
  }
  bool Confirm(QObject*, const QString&) override { return false; }
  QString OpenFileName(QObject*, const QString&) override { return {}; }
  QStringList OpenFiles(QObject*, const QString&) override { return {}; }
  QString SaveFileName(QObject*, const QString&, const QString&) override { return {}; }
  QString FolderName(QObject*, const QString&, TFolderUse) override { return {}; }
  int Choose(QObject*, const QString&, const QString&, const QStringList&) override { return -1; }
  int ExecDialog(QDialog*) override { return mrCancel; }
  void ShowError(const QString& message) override {
    std::fprintf(stderr, "Kiv Manager: %s\n", qPrintable(message));
  }
};

TModalUI*& Installed() {
  static TConsoleModal console;
  static TModalUI* installed = &console;
  return installed;
}

}  // namespace

TModalUI& Modal() {
  return *Installed();
}

TModalScope::TModalScope(TModalUI& modal) : previous_(Installed()) {
  Installed() = &modal;
}

TModalScope::~TModalScope() {
  Installed() = previous_;
}
