#pragma once
// A one-line text of the status bar: it takes the room the bar gives it and cuts its text to
// that room with "...". Its size never depends on its text, so a new text, as each section of
// long phone work brings one, is painted without laying the status bar out again.

#include <QLabel>

class TStatusLabel final : public QLabel {
 public:
  explicit TStatusLabel(QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
