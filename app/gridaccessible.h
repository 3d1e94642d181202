#pragma once
// The grid as assistive technology sees it: a table whose rows are the slot rows and whose
// column headers are the header row, each cell with the texts the grid draws in it, and the
// grid's selected rows selected. A screen reader reads a row; an AT-SPI client finds a table.

#include <QList>

#include "app/gridrowtexts.h"

class TDrawGrid;

// Installs the factory that gives each TDrawGrid its table interface; once per process.
void InstallGridAccessibility();

// Tells assistive technology that the focus is on the grid's current row.
void NotifyGridFocus(TDrawGrid* grid);

// Tells assistive technology that these cells' texts changed (their rows were refreshed).
void NotifyGridCellsChanged(TDrawGrid* grid, const QList<TGridRowTexts::TCell>& cells);
