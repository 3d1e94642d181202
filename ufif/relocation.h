#pragma once
// UFIF 2.0 to 2.1 relocation of a program image for a firmware.

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the firmware field's text gives: the address text before the first blank, the
// model code after the first " - ", and the model word it selects.
struct TFirmwareChoice {
  QString AddressText;
  QString ModelCode;
  quint32 ModelWord = 0x820000;
};
TFirmwareChoice ParseFirmwareText(const QString& text);

// "offset: 1236; UFIF Address:3582000"
QString BadAddressLine(qint64 offset, quint32 value);

// Relocates image in place for the firmware text and returns the bad-address report lines.
// A relocation base that is not an integer throws EConvertError and leaves image unchanged.
// The header is left alone: the caller marks the image UFIF 2.1 first.
QStringList RelocateUFIF20(QByteArray& image, const QString& firmwareText);
