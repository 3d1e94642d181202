#pragma once
// Buffer sizes of the transfers, and the filler trimming of uploads.

#include <QByteArray>

constexpr int UploadBufferSize = 65536;  // uploads and downloads
constexpr int SectionImageSize = 21504;  // GIF preview, conversion in place, UFIF2 library

// Drops trailing C0 46 pairs (Thumb no-op filler) and returns the new length.
int TrimTrailingNops(const QByteArray& data, int length);
