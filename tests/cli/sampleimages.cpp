#include "tests/cli/sampleimages.h"

#include "common/bytes.h"

QByteArray Word(quint32 value) {
  QByteArray bytes;
  AppendWord(bytes, value);
  return bytes;
}

QByteArray PlainProgram(quint32 tag, const QByteArray& name, int length) {
  QByteArray image = Word(tag) + name.leftJustified(16, '\0', true);
  for (int i = 0; image.size() < length; ++i)
    image.append(char(0x10 + i % 0x40));
  return image.left(length);
}

QByteArray ConvertibleImage() {
  QByteArray image = PlainProgram(0x20000000, "Conv", 512);
  image.replace(20, image.size() - 20, QByteArray(image.size() - 20, '\0'));
  SetWordAt(image, 64, 0x4801B403);
  SetWordAt(image, 72, 0x36A9D1);
  SetWordAt(image, 128, 0x4801B403);
  SetWordAt(image, 136, 0x36B001);
  SetWordAt(image, 256, 0x36AE18);
  SetWordAt(image, 300, 0x820000);
  SetWordAt(image, 400, 0x36A640);
  return image;
}
