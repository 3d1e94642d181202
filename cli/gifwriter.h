#pragma once
// A small GIF89a writer for the demo phone's picture: one image, a palette of up to 16
// colours, and LZW data made only of literal codes with a clear code every few pixels, so
// the code width never grows and every decoder reads it.

#include <QByteArray>
#include <QVector>

struct TGIFPicture {
  int Width = 0;
  int Height = 0;
  QVector<quint32> Palette;  // 0xRRGGBB, at most 16
  QByteArray Pixels;         // Width * Height palette indexes, row by row
};

// Empty when the picture is inconsistent (sizes, palette, an index outside the palette).
QByteArray EncodeGIF(const TGIFPicture& picture);
