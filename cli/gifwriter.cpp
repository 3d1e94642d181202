#include "cli/gifwriter.h"

namespace {

constexpr int MinCodeSize = 4;  // 16 literal codes
constexpr int ClearCode = 1 << MinCodeSize;
constexpr int EndCode = ClearCode + 1;
constexpr int CodeWidth = MinCodeSize + 1;
// After a clear the decoder adds a table entry for each code but the first; the code width
// grows once the table reaches 32 entries, which this many literals stay well below.
constexpr int LiteralsPerClear = 12;
constexpr int PaletteEntries = 1 << MinCodeSize;

void AppendWord16(QByteArray& out, int value) {
  out.append(char(value & 0xFF));
  out.append(char((value >> 8) & 0xFF));
}

// Codes packed least significant bit first, as GIF's LZW stream wants them.
class TBitPacker {
 public:
  void Put(int code) {
    bits_ |= quint32(code) << count_;
    count_ += CodeWidth;
    while (count_ >= 8) {
      bytes_.append(char(bits_ & 0xFF));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  QByteArray Finish() {
    if (count_ > 0)
      bytes_.append(char(bits_ & 0xFF));
    return bytes_;
  }

 private:
  QByteArray bytes_;
  quint32 bits_ = 0;
  int count_ = 0;
};

QByteArray LiteralLZW(const QByteArray& pixels) {
  TBitPacker packer;
  for (int i = 0; i < pixels.size(); ++i) {
    if (i % LiteralsPerClear == 0)
      packer.Put(ClearCode);
    packer.Put(quint8(pixels[i]));
  }
  packer.Put(EndCode);
  return packer.Finish();
}

void AppendSubBlocks(QByteArray& out, const QByteArray& data) {
  for (int at = 0; at < data.size(); at += 255) {
    const QByteArray block = data.mid(at, 255);
    out.append(char(block.size()));
    out.append(block);
  }
  out.append('\0');
}

bool Consistent(const TGIFPicture& picture) {
  if (picture.Width <= 0 || picture.Height <= 0 || picture.Width > 0xFFFF ||
      picture.Height > 0xFFFF || picture.Palette.isEmpty() ||
      picture.Palette.size() > PaletteEntries ||
      picture.Pixels.size() != qint64(picture.Width) * picture.Height)
    return false;
  for (const char index : picture.Pixels) {
    if (quint8(index) >= picture.Palette.size())
      return false;
  }
  return true;
}

}  // namespace

QByteArray EncodeGIF(const TGIFPicture& picture) {
  if (!Consistent(picture))
    return {};
  QByteArray out("GIF89a");
  AppendWord16(out, picture.Width);
  AppendWord16(out, picture.Height);
  // Global colour table of 16 entries, 8 bits per primary colour.
  out.append(char(0x80 | 0x70 | (MinCodeSize - 1)));
  out.append('\0');  // background colour index
  out.append('\0');  // no aspect ratio
  for (int i = 0; i < PaletteEntries; ++i) {
    const quint32 colour = picture.Palette.value(i, 0);
    out.append(char((colour >> 16) & 0xFF));
    out.append(char((colour >> 8) & 0xFF));
    out.append(char(colour & 0xFF));
  }
  out.append(',');  // image descriptor: whole screen, no local colour table
  AppendWord16(out, 0);
  AppendWord16(out, 0);
  AppendWord16(out, picture.Width);
  AppendWord16(out, picture.Height);
  out.append('\0');
  out.append(char(MinCodeSize));
  AppendSubBlocks(out, LiteralLZW(picture.Pixels));
  out.append(';');  // trailer
  return out;
}
