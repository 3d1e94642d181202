#pragma once
// Steps shared by the extension library uploads and the preferences write.

#include <QByteArray>
#include <QString>

class TForm1;

// Shown when the section does not hold what was just written.
extern const QString SectionWriteErrorText;
// Shown for a library that does not fit its one section.
extern const QString LibraryTooBigText;

// The first maxSize + 1 bytes of the file, so that a file too big can be told from one that
// just fits. Throws EFOpenError when the file cannot be opened or read.
QByteArray ReadFileHead(const QString& fileName, qint64 maxSize);

// Writes the image whole into one section and checks it by the size the phone reports, with
// the outcome shown to the user; "Uploaded!" follows either way. Stops quietly when the link
// does not open.
void WriteLibraryImage(TForm1& form, int section, int subsection, const QByteArray& image);
