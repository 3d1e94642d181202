#pragma once
// The synthetic content of the demo phone. Every byte comes from these generators: the
// program bodies are made-up Thumb instruction streams, the picture is drawn here.

#include <QByteArray>
#include <QList>

#include "catalogue/slotmap.h"

struct TDemoSection {
  TSectionAddress Address;
  QByteArray Bytes;
};

// A plain UFIF program: format word, 16-byte name, then a body of made-up Thumb code.
QByteArray DemoProgram(quint32 formatTag, const QByteArray& name, int length, quint32 seed);
// A UFIF 2.0 program whose body holds what the conversion changes: call stubs of both kinds,
// relocated data words, the model word, and one word it can only report.
QByteArray DemoConvertibleProgram(const QByteArray& name, int length);
// An ELF file whose first segment holds a UFIF program with the icon code in both icon words.
QByteArray DemoElfProgram(quint32 formatTag, const QByteArray& name, quint32 iconCode, int length);
QByteArray DemoGIFPicture();
// A 10-second ringer: four zero bytes, the UTF-16LE name, then the sound.
QByteArray DemoRinger(const QString& name, int length);
QByteArray DemoPicturePack(int pictures);
QByteArray DemoData(int length);
QByteArray DemoPRG3Library(int release, int words);
QByteArray DemoUFIF2Library(int length);
// Show all, the library at 2-17, autorun of 18-9.
QByteArray DemoPreferences();

// Windows-1251 bytes of Cyrillic and ASCII text, as program names are stored.
QByteArray Windows1251(const QString& text);

// Every non-empty section of the demo phone.
QList<TDemoSection> DemoSections();
