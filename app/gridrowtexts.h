#pragma once
// The texts of the grid's data rows as assistive technology reads them, each row's built at
// most once per change of its record, and which cells of the rows changed since assistive
// technology was last told now read differently. Qt Core only.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

struct TRowTexts {
  QStringList Cells;    // one text a column
  QString Description;  // the whole row, one fact a line
};

class TGridRowTexts {
 public:
  using TBuild = std::function<TRowTexts(int row)>;
  // A cell whose text changed.
  struct TCell {
    int Row;
    int Col;
    friend bool operator==(const TCell& a, const TCell& b) {
      return a.Row == b.Row && a.Col == b.Col;
    }
  };

  TGridRowTexts(int rowCount, TBuild build);

  // New rows (1 to rowCount - 1): nothing built, nothing told, no change waiting.
  void Reset(int rowCount);
  // The row's record changed: its texts are built again when next asked for.
  void Changed(int row);
  // A data row's texts, built once after each change.
  const TRowTexts& Texts(int row);
  bool ChangesWaiting() const { return !changed_.isEmpty(); }
  // The cells of the rows changed since the last call whose texts differ from what was last
  // told (every cell of a row nothing was told of), in row and column order; from now on
  // their texts count as told.
  QList<TCell> TakeChanges();
  // What the rows read now counts as told, for the rows nothing was told of since the reset
  // and no change waits for.
  void TellUntold();

 private:
  struct TRow {
    std::optional<TRowTexts> Built;
    std::optional<QStringList> Told;
    bool Changed = false;
  };

  TBuild build_;
  QVector<TRow> rows_;
  QList<int> changed_;
};
