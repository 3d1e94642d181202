#pragma once
// The phone log: the last phone-link calls since the window was made (time, call, result and
// meaning, bytes moved, duration), kept whether it is open or not, listed while commands run,
// cleared, saved as text. Made when the program starts, so that it holds every call. While it
// is open, calls made on the window's thread show at once; calls from the link thread are
// listed as the window's event loop turns between them.

#include <QDialog>
#include <QList>
#include <atomic>

#include "link/linkcalls.h"

class QPlainTextEdit;

class TPhoneLogWindow : public QDialog {
  Q_OBJECT
 public:
  explicit TPhoneLogWindow(QWidget* parent);
  ~TPhoneLogWindow() override;

  // Lists the calls kept since the last time.
  void Drain();
  // The calls kept, oldest first.
  QList<TLinkCall> Calls() const { return collector_.Calls(); }
  QString Text() const;
  void Clear();
  // Asks for a file through Modal() and writes the log there as text.
  void Save();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CallMade();

  quint64 listed_ = 0;  // the collector's mark of the calls listed
  // Read on the link thread: a hidden log only keeps the calls.
  std::atomic<bool> showing_{false};
  TLinkCallCollector collector_{LinkCallsKept, [this] { CallMade(); }};
  QPlainTextEdit* text_ = nullptr;
};
