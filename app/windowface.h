#pragma once
// The window's side of the phone operations: status texts go to the status line, messages
// to message boxes owned by the main window, grid rows repaint as their records change,
// and questions go to the dialogs.

#include "common/operationio.h"

class QWidget;
class TSlotWindow;
struct TWindowDialogs;

class TWindowFace final : public TReporter, public TInteraction {
 public:
  // owner: the window, over which the boxes show; the dialogs are its.
  TWindowFace(TSlotWindow& window, QWidget& owner, const TWindowDialogs& dialogs)
      : window_(window), owner_(owner), dialogs_(dialogs) {}

  void Status(const QString& text) override;
  void Error(const QString& text) override;
  void Notice(const QString& text, const QString& caption) override;
  void RowChanged(int row) override;
  void Progress(int index, int count, const TSectionAddress& address, qint64 bytes) override;
  bool CancelRequested() override;

  int AskUFIF21Conversion() override;
  QString FirmwareText() override;
  void ShowConversionReport(const QStringList& lines) override;
  quint32 AskIconCode() override;
  TFileClash AskFileClash(const QString& path) override;

 private:
  TSlotWindow& window_;
  QWidget& owner_;
  const TWindowDialogs& dialogs_;
};
