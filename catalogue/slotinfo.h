#pragma once
// What the catalogue knows about one grid row: written only by RefreshSection, read by
// the grid, the context menu and the uploads.

#include <QString>
#include <QtGlobal>
#include <array>

enum TSlotKind : qint32 { skEmpty = 0, skProgram = 1, skGIF = 3, skOther = 4 };

struct TSlotInfo {
  TSlotKind Kind = skEmpty;
  QString Caption;
  quint32 FormatTag = 0;
  qint32 Size = 0;
  qint32 Compressed = 0;
  qint32 UnpackedSize = 0;
  qint32 IconIndex = 0;

  friend bool operator==(const TSlotInfo& a, const TSlotInfo& b) {
    return a.Kind == b.Kind && a.Caption == b.Caption && a.FormatTag == b.FormatTag &&
           a.Size == b.Size && a.Compressed == b.Compressed && a.UnpackedSize == b.UnpackedSize &&
           a.IconIndex == b.IconIndex;
  }
};

// The main window's table of records; row 0 is the scratch record of out-of-range refreshes.
constexpr int SlotTableSize = 100;
using TSlotTable = std::array<TSlotInfo, SlotTableSize>;
// The most slot rows the table can take (row 0 is the header row).
constexpr int MaxSlotRows = SlotTableSize - 1;
// Bytes read from a section to recognise its content.
constexpr int RecognitionBytes = 128;
