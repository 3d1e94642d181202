#include "app/gridaccessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include "app/drawgrid.h"
#include "common/texts.h"

namespace {

// Header cells have row -1: their table rows count data rows only, as the grid's rows
// after the header.
class TGridCell final : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  TGridCell(TDrawGrid* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}

  bool IsHeader() const { return row_ < 0; }
  int GridRow() const { return row_ + 1; }

  bool isValid() const override {
    return grid_ && GridRow() < grid_->RowCount() && col_ < grid_->ColCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QString text(QAccessible::Text t) const override {
    if (!isValid())
      return {};
    switch (t) {
      case QAccessible::Name:
        return grid_->CellText(col_, GridRow());
      case QAccessible::Description:
        return IsHeader() ? QString() : grid_->RowDescription(GridRow());
      default:
        return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!isValid())
      return {};
    const QRect cell = grid_->CellRect(col_, GridRow());
    if (cell.isEmpty())
      return {};
    return QRect(grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
  }
  QAccessible::Role role() const override {
    return IsHeader() ? QAccessible::ColumnHeader : QAccessible::Cell;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    const QRect cell = grid_->CellRect(col_, GridRow());
    state.invisible = cell.isEmpty();
    state.offscreen = cell.isEmpty() || !cell.intersects(grid_->viewport()->rect());
    if (IsHeader())
      return state;
    state.selectable = true;
    state.focusable = true;
    state.selected = isSelected();
    state.focused = state.selected && grid_->hasFocus();
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface && !IsHeader())
      return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  bool isSelected() const override { return grid_ && !IsHeader() && grid_->IsSelected(GridRow()); }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<TDrawGrid> grid_;
  int row_;
  int col_;
};

class TGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TGridAccessible(TDrawGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
  ~TGridAccessible() override { DropCells(); }

  TDrawGrid* Grid() const { return static_cast<TDrawGrid*>(widget()); }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface)
      return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      const QString name = QAccessibleWidget::text(t);
      return name.isEmpty() ? TAppText::tr("Slots") : name;
    }
    return QAccessibleWidget::text(t);
  }

  // The header cells first, then the data cells row by row.
  int childCount() const override { return (rowCount() + 1) * columnCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount())
      return nullptr;
    return Cell(index / columnCount() - 1, index % columnCount());
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (auto it = cells_.cbegin(); it != cells_.cend(); ++it)
      if (QAccessible::accessibleInterface(it.value()) == child)
        return (it.key().first + 1) * columnCount() + it.key().second;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at = Grid()->viewport()->mapFromGlobal(QPoint(x, y));
    for (int col = 0; col < columnCount(); ++col) {
      if (Grid()->CellRect(col, 0).contains(at))
        return Cell(-1, col);
      for (int row = Grid()->TopRow(); row < Grid()->RowCount(); ++row)
        if (Grid()->CellRect(col, row).contains(at))
          return Cell(row - 1, col);
    }
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    if (!Grid()->hasFocus() || Grid()->Row() < 1)
      return nullptr;
    return Cell(Grid()->Row() - 1, 0);
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
      return nullptr;
    return Cell(row, column);
  }
  int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    for (int row : selectedRows())
      for (int col = 0; col < columnCount(); ++col)
        cells << Cell(row, col);
    return cells;
  }
  QString columnDescription(int column) const override { return Grid()->CellText(column, 0); }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return int(selectedRows().size()); }
  int columnCount() const override { return Grid()->ColCount(); }
  int rowCount() const override { return Grid()->RowCount() - 1; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override {
    QList<int> rows;
    for (int row : Grid()->SelectedRows())
      rows << row - 1;
    return rows;
  }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int row) const override { return Grid()->IsSelected(row + 1); }
  // As Ctrl with a click: the row joins the selection and becomes current.
  bool selectRow(int row) override {
    if (row < 0 || row >= rowCount())
      return false;
    Grid()->SetSelection(Grid()->SelectedRows() << row + 1, row + 1);
    return true;
  }
  bool selectColumn(int) override { return false; }
  // The current row stays selected, so only another row can leave the selection.
  bool unselectRow(int row) override {
    QList<int> rows = Grid()->SelectedRows();
    if (row + 1 == Grid()->Row() || !rows.removeOne(row + 1))
      return false;
    Grid()->SetSelection(rows, Grid()->Row());
    return true;
  }
  bool unselectColumn(int) override { return false; }
  // The rows come and go with the slot ranges: cells are made afresh for the new ones.
  void modelChange(QAccessibleTableModelChangeEvent*) override { DropCells(); }

  QAccessibleInterface* Cell(int row, int col) const {
    const QPair<int, int> key(row, col);
    const auto known = cells_.constFind(key);
    if (known != cells_.cend())
      return QAccessible::accessibleInterface(known.value());
    auto* cell = new TGridCell(Grid(), row, col);
    cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
  }

 private:
  void DropCells() {
    const auto ids = cells_.values();
    cells_.clear();
    for (QAccessible::Id id : ids)
      QAccessible::deleteAccessibleInterface(id);
  }

  mutable QHash<QPair<int, int>, QAccessible::Id> cells_;
};

TGridAccessible* TableOf(TDrawGrid* grid) {
  return static_cast<TGridAccessible*>(QAccessible::queryAccessibleInterface(grid));
}

QList<QAccessibleInterface*> TGridCell::columnHeaderCells() const {
  if (!grid_)
    return {};
  return {TableOf(grid_)->Cell(-1, col_)};
}

QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("TDrawGrid") && object && object->isWidgetType())
    return new TGridAccessible(static_cast<TDrawGrid*>(object));
  return nullptr;
}

}  // namespace

void InstallGridAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(GridFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

void NotifyGridFocus(TDrawGrid* grid) {
  if (grid->Row() < 1)
    return;
  QAccessibleEvent focus(TableOf(grid)->Cell(grid->Row() - 1, 0), QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}

void NotifyGridCellsChanged(TDrawGrid* grid, const QList<TGridRowTexts::TCell>& cells) {
  TGridAccessible* table = TableOf(grid);
  for (const TGridRowTexts::TCell& cell : cells) {
    QAccessibleEvent changed(table->Cell(cell.Row - 1, cell.Col), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
}
