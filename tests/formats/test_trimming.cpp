// Dropping the Thumb no-op filler (C0 46) from the end of an upload.

#include <QtTest>

#include "transfer/limits.h"

class TestTrimming : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void trims_data();
  void trims();
};

void TestTrimming::trims_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<int>("length");
  QTest::addColumn<int>("expected");

  const QByteArray fiveNops = QByteArray::fromHex("C046C046C046C046C046");
  QTest::newRow("ten filler bytes") << QByteArray(20, '\x01') + fiveNops << 30 << 20;
  QTest::newRow("odd length, pair at an odd offset") << QByteArray::fromHex("01C046") << 3 << 1;
  QTest::newRow("odd length, filler then one byte") << QByteArray::fromHex("C046C0") << 3 << 3;
  QTest::newRow("all filler") << fiveNops << 10 << 0;
  QTest::newRow("single C0") << QByteArray::fromHex("C0") << 1 << 1;
  QTest::newRow("reversed pair") << QByteArray::fromHex("0146C0") << 3 << 3;
  QTest::newRow("filler inside stays") << QByteArray::fromHex("C04601") << 3 << 3;
  QTest::newRow("2,050 bytes to 2,048")
      << QByteArray(2046, '\x00') + QByteArray::fromHex("1234C046") << 2050 << 2048;
  QTest::newRow("empty") << QByteArray() << 0 << 0;
  QTest::newRow("only the given length counts") << QByteArray::fromHex("C046C04601") << 4 << 0;
  QTest::newRow("length beyond the data is kept") << QByteArray::fromHex("C046") << 4 << 4;
  QTest::newRow("negative length") << QByteArray::fromHex("C046") << -1 << -1;
}

void TestTrimming::trims() {
  QFETCH(QByteArray, data);
  QFETCH(int, length);
  QFETCH(int, expected);
  const QByteArray before = data;
  QCOMPARE(TrimTrailingNops(data, length), expected);
  QCOMPARE(data, before);
}

QTEST_GUILESS_MAIN(TestTrimming)
#include "test_trimming.moc"
