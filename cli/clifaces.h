#pragma once
// kivnvm's side of the phone operations: messages on stderr, conversion reports on stdout,
// progress when asked for, and the answers its options give.

#include <QStringList>
#include <optional>

#include "cli/progress.h"
#include "common/operationio.h"

class TArgs;

// What the history could not keep of a change (an outcome's NotKept): the window tells it
// on its status line as it happens; here it stands on stderr once the work is done.
void PrintNotKept(const QStringList& notKept);

class TCliReporter final : public TReporter {
 public:
  // progress: show "section i of N" lines for work over several sections.
  explicit TCliReporter(bool progress) : progress_(progress) {}

  // The status line's texts are the window's; here the outcome speaks for itself.
  void Status(const QString&) override {}
  void Error(const QString& text) override;
  void Notice(const QString& text, const QString& caption) override;
  void RowChanged(int) override {}
  void Progress(int index, int count, const TSectionAddress& address, qint64 bytes) override;
  bool CancelRequested() override { return false; }

 private:
  bool progress_;
  std::optional<TProgress> line_;
};

// The answers of put's options: --convert, --firmware / --firmware-index, --icon.
class TCliInteraction final : public TInteraction {
 public:
  explicit TCliInteraction(const TArgs& args) : args_(args) {}

  int AskUFIF21Conversion() override;
  QString FirmwareText() override;
  void ShowConversionReport(const QStringList& lines) override;
  quint32 AskIconCode() override;
  // --replace replaces every file there, else each is left as it is.
  TFileClash AskFileClash(const QString& path) override;

 private:
  const TArgs& args_;
};
