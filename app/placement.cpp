#include "app/placement.h"

#include <QtGlobal>
#include <limits>

namespace {

// The top edge is where the title bar is, and the title bar is what the user moves a window
// by: it must show, the height of the strip and at least its width across.
bool ShowsOn(const QRect& window, const QRect& screen) {
  const QRect top(window.topLeft(), QSize(window.width(), qMin(MinVisibleHeight, window.height())));
  const QRect shown = top.intersected(screen);
  return shown.width() >= qMin(MinVisibleWidth, window.width()) && shown.height() == top.height() &&
         !shown.isEmpty();
}

// How far apart two rectangles are along one axis: 0 when they overlap on it.
int Gap(int firstA, int lastA, int firstB, int lastB) {
  if (lastA < firstB)
    return firstB - lastA;
  if (lastB < firstA)
    return firstA - lastB;
  return 0;
}

qint64 SquaredDistance(const QRect& a, const QRect& b) {
  const qint64 dx = Gap(a.left(), a.right(), b.left(), b.right());
  const qint64 dy = Gap(a.top(), a.bottom(), b.top(), b.bottom());
  return dx * dx + dy * dy;
}

// The start of a span of length size kept within [first, first + room), preferring first
// when it does not fit.
int Within(int start, int size, int first, int room) {
  return qMax(first, qMin(start, first + room - size));
}

}  // namespace

QRect PlacedOnScreens(const QRect& window, const QList<QRect>& screens) {
  const QRect* nearest = nullptr;
  qint64 nearestDistance = std::numeric_limits<qint64>::max();
  for (const QRect& screen : screens) {
    if (ShowsOn(window, screen))
      return window;
    const qint64 distance = SquaredDistance(window, screen);
    if (distance < nearestDistance) {
      nearest = &screen;
      nearestDistance = distance;
    }
  }
  if (!nearest)
    return window;
  QRect placed = window;
  placed.moveTo(Within(window.left(), window.width(), nearest->left(), nearest->width()),
                Within(window.top(), window.height(), nearest->top(), nearest->height()));
  return placed;
}
