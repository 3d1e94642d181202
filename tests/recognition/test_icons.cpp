// The icon list (codes, captions, pictures), the lookup of a code's picture, the dialog's
// answer as a code, and the picture strip itself.

#include <QImage>
#include <QSet>
#include <QtTest>

#include "ufif/icons.h"
#include "ufif/ui/iconpictures.h"

namespace {

// The lookup as the icon list defines it: "%X" compared with each caption in list order.
int PictureByCaption(quint32 code) {
  const QString text = QString::asprintf("%X", code);
  for (const TIconItem& item : IconItems())
    if (item.Caption() == text)
      return item.Picture;
  return 0;
}

}  // namespace

class TestIcons : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void listShape();
  void picturesOfCodes_data();
  void picturesOfCodes();
  void lookupMatchesCaptions();
  void codeFromCaption_data();
  void codeFromCaption();
  void pictureStrip();
  void picturesAreDistinct();
};

void TestIcons::listShape() {
  const QVector<TIconItem>& items = IconItems();
  QCOMPARE(items.size(), 147);
  QSet<QString> captions;
  QSet<int> pictures;
  for (const TIconItem& item : items) {
    QVERIFY2(QRegularExpression("^[0-9A-F]{4}$").match(item.Caption()).hasMatch(),
             qPrintable(item.Caption()));
    captions.insert(item.Caption());
    pictures.insert(item.Picture);
    QVERIFY(item.Picture >= 0 && item.Picture < IconPictureCount);
  }
  QCOMPARE(captions.size(), items.size());
  QCOMPARE(pictures.size(), items.size());
  QVERIFY(!pictures.contains(19));
  QCOMPARE(items.first().Caption(), QStringLiteral("E80A"));
  QCOMPARE(items.last().Caption(), QStringLiteral("E899"));
}

void TestIcons::picturesOfCodes_data() {
  QTest::addColumn<quint32>("code");
  QTest::addColumn<int>("picture");
  const std::pair<quint32, int> listed[] = {
      {0xE80A, 0},   {0xE80F, 5},   {0xE81A, 6},   {0xE82A, 12},  {0xE82C, 13},  {0xE83B, 18},
      {0xE83D, 20},  {0xE84A, 23},  {0xE85A, 28},  {0xE86C, 34},  {0xE87A, 38},  {0xE89F, 55},
      {0xE800, 56},  {0xE810, 66},  {0xE848, 104}, {0xE850, 105}, {0xE852, 107}, {0xE855, 110},
      {0xE857, 112}, {0xE859, 113}, {0xE862, 114}, {0xE870, 121}, {0xE875, 123}, {0xE879, 127},
      {0xE880, 128}, {0xE890, 138}, {0xE899, 147}};
  for (const auto& [code, picture] : listed)
    QTest::addRow("%X", code) << code << picture;
  for (quint32 code : {0xE82B, 0xE83C, 0xE849, 0xE84F, 0xE858, 0xE860, 0xE861, 0xE869, 0xE86A,
                       0xE86B, 0xE872, 0xE873, 0xE874})
    QTest::addRow("%X has no item", code) << code << 0;
  QTest::newRow("zero") << 0u << 0;
  QTest::newRow("above 16 bits") << 0x1E852u << 0;
  QTest::newRow("all ones") << 0xFFFFFFFFu << 0;
  QTest::newRow("E8") << 0xE8u << 0;
}

void TestIcons::picturesOfCodes() {
  QFETCH(quint32, code);
  QFETCH(int, picture);
  QCOMPARE(IconIndexOf(code), picture);
}

void TestIcons::lookupMatchesCaptions() {
  for (quint32 code = 0; code <= 0x1FFFF; code += (code < 0xE000 || code > 0xE9FF) ? 0x101 : 1)
    QCOMPARE(IconIndexOf(code), PictureByCaption(code));
  for (quint32 code : {0x8000E852u, 0x0E852000u, 0xE8520000u})
    QCOMPARE(IconIndexOf(code), PictureByCaption(code));
}

void TestIcons::codeFromCaption_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<quint32>("code");
  QTest::newRow("first item") << "E80A" << 0xE80Au;
  QTest::newRow("chosen") << "E81A" << 0xE81Au;
  QTest::newRow("lower case") << "e800" << 0xE800u;
  QTest::newRow("empty") << "" << DefaultIconCode;
  QTest::newRow("not hexadecimal") << "Select icon" << DefaultIconCode;
  QTest::newRow("trailing text") << "E81A " << DefaultIconCode;
}

void TestIcons::codeFromCaption() {
  QFETCH(QString, caption);
  QFETCH(quint32, code);
  QCOMPARE(IconCodeFromCaption(caption), code);
}

void TestIcons::pictureStrip() {
  const QImage strip(QStringLiteral(":/icons.png"));
  QCOMPARE(strip.size(), QSize(IconPictureCount * IconPictureSize, IconPictureSize));
  QVERIFY(strip.hasAlphaChannel());

  const QVector<QPixmap>& pictures = IconPictures();
  QCOMPARE(pictures.size(), IconPictureCount);
  for (int i = 0; i < pictures.size(); ++i) {
    QCOMPARE(pictures[i].size(), QSize(IconPictureSize, IconPictureSize));
    const QImage image = pictures[i].toImage();
    bool anyVisible = false;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        anyVisible = anyVisible || qAlpha(image.pixel(x, y)) > 0;
    QVERIFY2(anyVisible == (i != 19), qPrintable(QString::number(i)));
  }
}

void TestIcons::picturesAreDistinct() {
  const QVector<QPixmap>& pictures = IconPictures();
  for (int i = 0; i < pictures.size(); ++i) {
    const QImage a = pictures[i].toImage();
    for (int j = i + 1; j < pictures.size(); ++j)
      QVERIFY2(a != pictures[j].toImage(), qPrintable(QStringLiteral("%1 = %2").arg(i).arg(j)));
  }
}

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
