#include "app/emptytitle.h"

#include <xcb/xcb.h>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <memory>

namespace {

xcb_atom_t AtomNamed(xcb_connection_t* connection, const char* name) {
  const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void ClearNativeTitle(xcb_connection_t* connection, xcb_window_t window) {
  // Window managers and tools read the UTF-8 name first and fall back on WM_NAME.
  const xcb_atom_t utf8Name = AtomNamed(connection, "_NET_WM_NAME");
  if (utf8Name != xcb_atom_t{XCB_ATOM_NONE})
    xcb_delete_property(connection, window, utf8Name);
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
                      8, 0, nullptr);
  xcb_flush(connection);
}

// Qt writes the title again as the window is shown, so it is cleared once that is done.
class TEmptyTitleKeeper : public QObject {
 public:
  TEmptyTitleKeeper(QWidget* window, xcb_connection_t* connection)
      : QObject(window), window_(window), connection_(connection) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show) {
      QMetaObject::invokeMethod(
          this, [this] { ClearNativeTitle(connection_, xcb_window_t(window_->winId())); },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QWidget* window_;
  xcb_connection_t* connection_;
};

}  // namespace

void ShowEmptyTitle(QWidget* window) {
  window->setWindowTitle(QString());
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
    new TEmptyTitleKeeper(window, x11->connection());
}
