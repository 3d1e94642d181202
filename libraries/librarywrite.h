#pragma once
// Steps shared by the two extension library uploads.

#include <QByteArray>
#include <QString>

class TForm1;

// Shown for a library that does not fit its one section.
extern const QString LibraryTooBigText;

// Writes the image whole into one section and checks it by the size the phone reports, with
// the outcome shown to the user; "Uploaded!" follows either way. Stops quietly when the link
// does not open.
void WriteLibraryImage(TForm1& form, int section, int subsection, const QByteArray& image);
