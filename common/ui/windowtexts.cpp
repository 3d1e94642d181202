#include "common/ui/windowtexts.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QWidget>

namespace {

// Room a title bar keeps beside the title: the window's icon and its minimise, maximise and
// close buttons, with their margins, as common window managers draw them.
constexpr int TitleBarControls = 120;

class TTextKeeper final : public QObject {
 public:
  explicit TTextKeeper(QWidget* window) : QObject(window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && (event->type() == QEvent::LayoutRequest ||
                               event->type() == QEvent::Resize || event->type() == QEvent::Show))
      Fit();
    return false;
  }

  void Fit() {
    window_->setMinimumWidth(qMax(window_->minimumWidth(), TitleWidth(window_)));
    const QLayout* layout = window_->layout();
    if (!layout || !layout->hasHeightForWidth())
      return;
    const int height =
        qMax(layout->totalMinimumSize().height(), layout->totalHeightForWidth(window_->width()));
    if (window_->minimumHeight() != height)
      window_->setMinimumHeight(height);
  }

 private:
  QWidget* window_;
};

}  // namespace

void KeepTextsWhole(QWidget* window) {
  auto* keeper = new TTextKeeper(window);
  window->installEventFilter(keeper);
  keeper->Fit();
}

int TitleWidth(const QWidget* window) {
  QFont font = QApplication::font();
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(window->windowTitle()) + TitleBarControls;
}

bool TitleCut(const QWidget* window) {
  return TitleWidth(window) > window->width();
}
