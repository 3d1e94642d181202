#include "app/statuslabel.h"

#include <QPainter>

TStatusLabel::TStatusLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QSize TStatusLabel::sizeHint() const {
  const QMargins margins = contentsMargins();
  return {margins.left() + margins.right(),
          fontMetrics().height() + margins.top() + margins.bottom()};
}

QSize TStatusLabel::minimumSizeHint() const {
  return sizeHint();
}

void TStatusLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawText(contentsRect(), int(Qt::AlignLeft | Qt::AlignVCenter),
                   fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width()));
}
