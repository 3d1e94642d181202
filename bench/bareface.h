#pragma once
// The face the benchmarks give the operations: it answers no question, shows nothing and
// prints only errors, so what is measured is the phone work itself.

#include <QString>
#include <cstdio>

#include "common/modal.h"
#include "common/operationio.h"

class TBareFace final : public TReporter, public TInteraction {
 public:
  void Status(const QString&) override {}
  void Error(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void Notice(const QString&, const QString&) override {}
  void RowChanged(int) override {}
  void Progress(int, int, const TSectionAddress&, qint64) override {}
  bool CancelRequested() override { return false; }
  int AskUFIF21Conversion() override { return mrNo; }
  QString FirmwareText() override { return {}; }
  void ShowConversionReport(const QStringList&) override {}
  quint32 AskIconCode() override { return 0; }
};
