#pragma once
// The phone log: every phone-link call made while the window is open (time, call, result
// and meaning, bytes moved, duration), filled while commands run, cleared, saved as text.
// Collection starts when the window opens and stops when it is closed. Calls made on the
// window's thread show at once; calls from the link thread are listed as the window's event
// loop turns between them.

#include <QDialog>
#include <QList>

#include "link/linkcalls.h"

class QPlainTextEdit;

class TPhoneLogWindow : public QDialog {
  Q_OBJECT
 public:
  explicit TPhoneLogWindow(QWidget* parent);
  ~TPhoneLogWindow() override;

  // Takes the calls collected since the last time into the list.
  void Drain();
  // The calls listed, oldest first.
  const QList<TLinkCall>& Calls() const { return calls_; }
  QString Text() const;
  void Clear();
  // Asks for a file through Modal() and writes the log there as text.
  void Save();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CallMade();

  TLinkCallCollector collector_{[this] { CallMade(); }};
  QList<TLinkCall> calls_;
  QPlainTextEdit* text_ = nullptr;
};
