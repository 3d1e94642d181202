#pragma once
// Cursor guards: the hourglass while a command waits for the phone, and the normal arrow
// while a modal box asks the user something in the middle of such a command.

#include <QApplication>
#include <QCursor>

class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

class TNormalCursor {
 public:
  TNormalCursor() : active_(QApplication::overrideCursor() != nullptr) {
    if (active_)
      QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~TNormalCursor() {
    if (active_)
      QApplication::restoreOverrideCursor();
  }
  TNormalCursor(const TNormalCursor&) = delete;
  TNormalCursor& operator=(const TNormalCursor&) = delete;

 private:
  bool active_;
};
