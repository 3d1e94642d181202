#include "app/fittexts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <functional>
#include <utility>

#include "common/ui/windowtexts.h"

namespace {

bool ShowsText(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget))
    return !label->text().isEmpty();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
    return !button->text().isEmpty();
  return false;
}

bool WordWrapped(const QWidget* widget) {
  const auto* label = qobject_cast<const QLabel*>(widget);
  return label && label->wordWrap();
}

// A panel or frame whose children stand at places of their own; the insides of a combo box or
// a text box are not the form's.
bool PlacesChildren(const QWidget* widget) {
  const QMetaObject* kind = widget->metaObject();
  return !widget->layout() &&
         (kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject ||
          kind == &QGroupBox::staticMetaObject);
}

// The children that show where the container does.
QList<QWidget*> PlacedChildren(const QWidget* container) {
  QList<QWidget*> children;
  for (QObject* object : container->children()) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && !widget->isWindow() && widget->isVisibleTo(container))
      children << widget;
  }
  return children;
}

void ForEachText(const QWidget* container, const std::function<void(const QWidget*)>& visit) {
  for (const QWidget* child : PlacedChildren(container)) {
    if (ShowsText(child))
      visit(child);
    else if (PlacesChildren(child))
      ForEachText(child, visit);
  }
}

// The width a push button's text takes with the style's margins around it.
int PushButtonTextWidth(const QPushButton* button) {
  const QStyle* style = button->style();
  return button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() +
         style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
}

QRect Bounds(const QList<QWidget*>& widgets) {
  QRect bounds;
  for (const QWidget* widget : widgets)
    bounds |= widget->geometry();
  return bounds;
}

// A sibling drawn around others (a bevel): it follows what it holds, keeping its margins.
struct TFrame {
  QWidget* Widget;
  QList<QWidget*> Holds;
  QMargins Margins;
};

QList<TFrame> FramesAmong(const QList<QWidget*>& siblings) {
  QList<TFrame> frames;
  for (QWidget* frame : siblings) {
    QList<QWidget*> holds;
    for (QWidget* other : siblings) {
      if (other != frame && frame->geometry().contains(other->geometry()))
        holds << other;
    }
    if (holds.isEmpty())
      continue;
    const QRect inside = Bounds(holds);
    const QRect outside = frame->geometry();
    frames.append({frame, holds,
                   QMargins(inside.left() - outside.left(), inside.top() - outside.top(),
                            outside.right() - inside.right(), outside.bottom() - inside.bottom())});
  }
  return frames;
}

bool CentredLabel(const QWidget* widget) {
  const auto* label = qobject_cast<const QLabel*>(widget);
  return label && (label->alignment() & Qt::AlignHCenter);
}

// Grows control to asked; moves what stands right of it in its row, or below it, by as much.
void Grow(QWidget* control, const QSize& asked, const QList<QWidget*>& movable) {
  const QRect old = control->geometry();
  QRect grown(old.topLeft(), old.size().expandedTo(asked));
  if (grown == old)
    return;
  if (CentredLabel(control))
    grown.moveLeft(qMax(0, old.left() - (grown.width() - old.width()) / 2));
  const int dx = grown.right() - old.right();
  const int dy = grown.bottom() - old.bottom();
  for (QWidget* other : movable) {
    const QRect place = other->geometry();
    if (other == control)
      continue;
    const bool inRow = place.top() <= old.bottom() && place.bottom() >= old.top();
    const int right = dx > 0 && inRow && place.left() > old.right() ? dx : 0;
    const int down = dy > 0 && place.top() > old.bottom() ? dy : 0;
    other->move(place.topLeft() + QPoint(right, down));
  }
  control->setGeometry(grown);
}

QSize FitChildren(QWidget* container);

// A text that is cut asks for its size hint; a panel for what its children need.
QSize AskedSize(QWidget* control) {
  if (ShowsText(control) && TextCut(control)) {
    if (WordWrapped(control))
      return {control->width(), control->heightForWidth(control->width())};
    return control->sizeHint();
  }
  if (PlacesChildren(control))
    return FitChildren(control);
  return control->size();
}

// Fits what the container holds, top to bottom and left to right; returns the size that holds
// it all with the margins drawn.
QSize FitChildren(QWidget* container) {
  const QList<QWidget*> children = PlacedChildren(container);
  if (children.isEmpty())
    return container->size();
  const QRect drawn = Bounds(children);
  const QList<TFrame> frames = FramesAmong(children);
  QList<QWidget*> controls = children;
  for (const TFrame& frame : frames)
    controls.removeOne(frame.Widget);
  QList<QWidget*> ordered = controls;
  std::stable_sort(ordered.begin(), ordered.end(), [](const QWidget* a, const QWidget* b) {
    return std::make_pair(a->y(), a->x()) < std::make_pair(b->y(), b->x());
  });
  for (QWidget* control : ordered)
    Grow(control, AskedSize(control), controls);
  for (const TFrame& frame : frames)
    frame.Widget->setGeometry(Bounds(frame.Holds).marginsAdded(frame.Margins));
  const QRect now = Bounds(children);
  const int rightMargin = qMax(0, container->width() - drawn.left() - drawn.width());
  const int bottomMargin = qMax(0, container->height() - drawn.top() - drawn.height());
  return container->size().expandedTo(
      QSize(now.left() + now.width() + rightMargin, now.top() + now.height() + bottomMargin));
}

}  // namespace

bool TextCut(const QWidget* control) {
  if (WordWrapped(control))
    return control->heightForWidth(control->width()) > control->height();
  const auto* button = qobject_cast<const QPushButton*>(control);
  const int width = button ? PushButtonTextWidth(button) : control->sizeHint().width();
  return width > control->width() || control->fontMetrics().height() > control->height();
}

bool TextsFit(const QWidget* form) {
  bool fit = true;
  ForEachText(form, [&fit](const QWidget* control) { fit = fit && !TextCut(control); });
  return fit;
}

void FitTexts(QWidget* form) {
  form->ensurePolished();
  if (TextsFit(form) && !TitleCut(form))
    return;
  const QSize size = FitChildren(form).expandedTo(QSize(TitleWidth(form), 0));
  if (form->minimumSize() == form->maximumSize())
    form->setFixedSize(size);
  else
    form->resize(size);
}
