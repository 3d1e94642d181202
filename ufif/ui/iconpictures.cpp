#include "ufif/ui/iconpictures.h"

#include <QImage>

#include "ufif/icons.h"

namespace {

// The strip holds the pictures side by side, picture i at x = 12 * i.
QVector<QPixmap> CutIconStrip() {
  const QImage strip(QStringLiteral(":/icons.png"));
  QVector<QPixmap> pictures;
  pictures.reserve(IconPictureCount);
  for (int i = 0; i < IconPictureCount; ++i) {
    const QImage picture = strip.copy(i * IconPictureSize, 0, IconPictureSize, IconPictureSize);
    pictures.append(QPixmap::fromImage(picture.convertToFormat(QImage::Format_ARGB32)));
  }
  return pictures;
}

}  // namespace

const QVector<QPixmap>& IconPictures() {
  static const QVector<QPixmap> pictures = CutIconStrip();
  return pictures;
}
