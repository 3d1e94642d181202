// On Windows, Qt shows the program's name where a title is empty; the window's own text is
// emptied once Qt has set it as the window is shown.

#include <windows.h>

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include "app/emptytitle.h"

namespace {

class TEmptyTitleKeeper : public QObject {
 public:
  explicit TEmptyTitleKeeper(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show) {
      QMetaObject::invokeMethod(
          this, [this] { SetWindowTextW(reinterpret_cast<HWND>(window_->winId()), L""); },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QWidget* window_;
};

}  // namespace

void ShowEmptyTitle(QWidget* window) {
  window->setWindowTitle(QString());
  // Only the Windows platform has a window handle; offscreen has none to empty.
  if (QGuiApplication::platformName() == QStringLiteral("windows"))
    new TEmptyTitleKeeper(window);
}
