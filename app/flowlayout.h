#pragma once
// A layout that lines its widgets up in rows as wide as it is, in the order they were added,
// and starts a new row where the next one does not fit; each widget at its size hint, centred
// in the height of its row.

#include <QLayout>
#include <QList>

class TFlowLayout final : public QLayout {
 public:
  TFlowLayout(QWidget* parent, int horizontalSpacing, int verticalSpacing);
  ~TFlowLayout() override;

  void addItem(QLayoutItem* item) override;
  int count() const override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;

  QSize sizeHint() const override;
  QSize minimumSize() const override;
  Qt::Orientations expandingDirections() const override;
  bool hasHeightForWidth() const override;
  int heightForWidth(int width) const override;
  void setGeometry(const QRect& rect) override;

 private:
  // Lays the items out in rect, or only measures: returns the height the rows take.
  int Arrange(const QRect& rect, bool place) const;

  QList<QLayoutItem*> items_;
  int horizontalSpacing_;
  int verticalSpacing_;
};
