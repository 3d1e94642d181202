#pragma once
// What the Details dialog shows of a section read whole: what the catalogue recognises,
// every field of the content's header with where it lies, and the hex view's lines. Plain
// rules over the bytes, without widgets.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "catalogue/classify.h"
#include "catalogue/slotinfo.h"
#include "catalogue/slotmap.h"

// The Details command fits every row that holds something.
bool HasDetails(const TSlotInfo& slot);

// One field: its name, its value in words, and the bytes it takes (none: Offset -1).
struct TDetailField {
  QString Name;
  QString Value;
  qint64 Offset = -1;
  qint64 Length = 0;
};

struct TDetailGroup {
  QString Title;
  QList<TDetailField> Fields;
};

struct TSlotDetails {
  TSectionAddress Address;
  QByteArray Bytes;
  TSlotInfo Info;  // the catalogue's record of these bytes
  TContentKind Content = TContentKind::Data;
  bool Preferences = false;  // the preferences record, known by its address
  QList<TDetailGroup> Groups;

  // The value of the first field of that name in the group of that title; empty if none.
  QString Value(const QString& group, const QString& field) const;
  const TDetailField* Field(const QString& group, const QString& field) const;
};

// The section at address holds bytes (read whole); before is its row's record, whose
// FormatTag a non-program keeps, as the grid does.
TSlotDetails DescribeSection(const TSectionAddress& address, const QByteArray& bytes,
                             const TSlotInfo& before);
// "UFIF program", "LZO container", "GIF picture", "Preferences record" ...
QString ContentKindText(TContentKind kind);

// The hex view: 16 bytes a line, "00000010  4C 5A 4F 00 ...  LZO.", with the ASCII column
// aligned on a short last line.
constexpr int HexBytesPerLine = 16;
QStringList HexDumpLines(const QByteArray& bytes);

// Where bytes [offset, offset + length) stand in the hex view, one span per line touched:
// columns (from 0) of the hex digits and of the ASCII characters, ends excluded.
struct THexSpan {
  int Line = 0;
  int HexFrom = 0;
  int HexTo = 0;
  int AsciiFrom = 0;
  int AsciiTo = 0;
  friend bool operator==(const THexSpan& a, const THexSpan& b) {
    return a.Line == b.Line && a.HexFrom == b.HexFrom && a.HexTo == b.HexTo &&
           a.AsciiFrom == b.AsciiFrom && a.AsciiTo == b.AsciiTo;
  }
};
// Spans of the field clipped to size bytes.
QList<THexSpan> HexSpans(qint64 offset, qint64 length, qint64 size);
