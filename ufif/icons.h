#pragma once
// The icon list: 147 icon codes with their picture indexes among 148 pictures of 12 x 12.

#include <QString>
#include <QVector>

struct TIconItem {
  quint16 Code = 0;
  int Picture = 0;
  QString Caption() const;  // four upper-case hexadecimal digits, "E852"
};

constexpr int IconPictureCount = 148;
constexpr int IconPictureSize = 12;
constexpr quint32 DefaultIconCode = 0xE852;
constexpr int DefaultProgramPicture = 107;
constexpr int EmptySlotPicture = 110;

const QVector<TIconItem>& IconItems();

// The picture of the first item whose caption equals the code in "%X"; 0 when none does.
int IconIndexOf(quint32 iconCode);

// The icon dialog's answer: "0x" + caption read as an integer, DefaultIconCode on failure.
quint32 IconCodeFromCaption(const QString& caption);
