// The preferences record's bytes and the values the dialog shows for them, both ways.

#include <QtTest>

#include "common/errors.h"
#include "prefs/prefrecord.h"

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(TPrefEntries)

namespace {

QByteArray Record(std::initializer_list<int> bytes) {
  QByteArray record;
  for (int byte : bytes)
    record.append(char(byte));
  return record;
}

// "Kiv2" and then bytes 4 to 11.
QByteArray KivRecord(std::initializer_list<int> tail) {
  return QByteArray("Kiv2") + Record(tail);
}

TPrefEntries Entries(std::optional<int> menu, const QString& s, const QString& ss) {
  TPrefEntries entries;
  entries.MenuIndex = menu;
  entries.LibrarySection = s;
  entries.LibrarySubSection = ss;
  return entries;
}

TPrefEntries WithAutorun(TPrefEntries entries, const QString& s, const QString& ss) {
  entries.AutorunEnabled = true;
  entries.AutorunSection = s;
  entries.AutorunSubSection = ss;
  return entries;
}

}  // namespace

class TestPrefRecord : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void decodes_data();
  void decodes();
  void encodes_data();
  void encodes();
  void refusesTextsInOrder_data();
  void refusesTextsInOrder();
  void signedBytesSurviveRoundTrip();
};

void TestPrefRecord::decodes_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<std::optional<int>>("menu");
  QTest::addColumn<int>("libSection");
  QTest::addColumn<int>("libSubSection");
  QTest::addColumn<bool>("autorun");
  QTest::addColumn<int>("autoSection");
  QTest::addColumn<int>("autoSubSection");
  const std::optional<int> none;
  QTest::newRow("everything set") << KivRecord({3, 0, 20, 2, 9, 18, 0, 0}) << std::optional(0) << 2
                                  << 20 << true << 18 << 9;
  QTest::newRow("progs and data") << KivRecord({7, 0, 17, 2, 0, 0, 0, 0}) << std::optional(1) << 2
                                  << 17 << false << 0 << 0;
  QTest::newRow("show all") << KivRecord({255, 0, 17, 2, 0, 0, 0, 0}) << std::optional(2) << 2 << 17
                            << false << 0 << 0;
  QTest::newRow("unknown mode") << KivRecord({0, 0, 5, 3, 0, 0, 0, 0}) << none << 3 << 5 << false
                                << 0 << 0;
  QTest::newRow("library not set")
      << KivRecord({3, 0, 40, 0, 0, 0, 0, 0}) << std::optional(0) << 2 << 17 << false << 0 << 0;
  QTest::newRow("autorun subsection 0 is disabled")
      << KivRecord({3, 0, 17, 2, 0, 18, 0, 0}) << std::optional(0) << 2 << 17 << false << 0 << 0;
  QTest::newRow("signed bytes") << KivRecord({3, 0, 255, 200, 128, 127, 0, 0}) << std::optional(0)
                                << -56 << -1 << true << 127 << -128;
  QTest::newRow("magic not checked") << Record({0, 0, 0, 0, 7, 0, 17, 2, 1, 1, 0, 0})
                                     << std::optional(1) << 2 << 17 << true << 1 << 1;
  QTest::newRow("11 bytes: autorun disabled")
      << KivRecord({3, 0, 20, 2, 9, 18, 0}) << std::optional(0) << 2 << 20 << false << 0 << 0;
  QTest::newRow("7 bytes: section counts as zero")
      << KivRecord({7, 0, 20}) << std::optional(1) << 2 << 17 << false << 0 << 0;
  QTest::newRow("4 bytes: mode counts as zero")
      << QByteArray("Kiv2") << none << 2 << 17 << false << 0 << 0;
  QTest::newRow("empty") << QByteArray() << none << 2 << 17 << false << 0 << 0;
  QTest::newRow("longer than a record") << KivRecord({3, 0, 20, 2, 9, 18, 0, 0, 1, 2})
                                        << std::optional(0) << 2 << 20 << true << 18 << 9;
}

void TestPrefRecord::decodes() {
  QFETCH(QByteArray, bytes);
  QFETCH(std::optional<int>, menu);
  QFETCH(int, libSection);
  QFETCH(int, libSubSection);
  QFETCH(bool, autorun);
  QFETCH(int, autoSection);
  QFETCH(int, autoSubSection);
  const TPrefReading reading = DecodePrefRecord(bytes);
  QCOMPARE(reading.MenuIndex, menu);
  QCOMPARE(reading.LibrarySection, libSection);
  QCOMPARE(reading.LibrarySubSection, libSubSection);
  QCOMPARE(reading.AutorunEnabled, autorun);
  QCOMPARE(reading.AutorunSection, autoSection);
  QCOMPARE(reading.AutorunSubSection, autoSubSection);
}

void TestPrefRecord::encodes_data() {
  QTest::addColumn<TPrefEntries>("entries");
  QTest::addColumn<QByteArray>("lastRead");
  QTest::addColumn<QByteArray>("record");
  const std::optional<int> none;
  const QByteArray nothing;
  QTest::newRow("only programs") << Entries(0, "02", "17") << nothing
                                 << KivRecord({3, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("progs and data") << Entries(1, "2", "17") << nothing
                                  << KivRecord({7, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("show all") << Entries(2, "2", "17") << nothing
                            << KivRecord({255, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("autorun") << WithAutorun(Entries(0, "2", "17"), "18", "09") << nothing
                           << KivRecord({3, 0, 17, 2, 9, 18, 0, 0});
  QTest::newRow("0x and $ prefixes") << WithAutorun(Entries(0, "0x12", "$12"), "$12", "0x12")
                                     << nothing << KivRecord({3, 0, 18, 18, 18, 18, 0, 0});
  QTest::newRow("low 8 bits") << WithAutorun(Entries(0, "300", "-1"), "-56", "256") << nothing
                              << KivRecord({3, 0, 255, 44, 0, 200, 0, 0});
  QTest::newRow("autorun off ignores its texts")
      << Entries(0, "2", "17") << KivRecord({3, 0, 17, 2, 9, 18, 0, 0})
      << KivRecord({3, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("no item: mode read is kept")
      << Entries(none, "2", "17") << KivRecord({42, 0, 17, 2, 0, 0, 0, 0})
      << KivRecord({42, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("no item, nothing read: show all")
      << Entries(none, "2", "17") << nothing << KivRecord({255, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("no item, read too short for the mode: show all")
      << Entries(none, "2", "17") << QByteArray("Kiv2") << KivRecord({255, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("selected item wins over mode read")
      << Entries(1, "2", "17") << KivRecord({42, 0, 17, 2, 0, 0, 0, 0})
      << KivRecord({7, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("reserved bytes kept")
      << Entries(0, "2", "17") << KivRecord({3, 9, 17, 2, 0, 0, 0xAB, 0xCD})
      << KivRecord({3, 0, 17, 2, 0, 0, 0xAB, 0xCD});
  QTest::newRow("reserved byte not read counts as zero")
      << Entries(0, "2", "17") << KivRecord({3, 9, 17, 2, 0, 0, 0xAB})
      << KivRecord({3, 0, 17, 2, 0, 0, 0xAB, 0});
}

void TestPrefRecord::encodes() {
  QFETCH(TPrefEntries, entries);
  QFETCH(QByteArray, lastRead);
  QFETCH(QByteArray, record);
  QCOMPARE(EncodePrefRecord(entries, lastRead), record);
}

void TestPrefRecord::refusesTextsInOrder_data() {
  QTest::addColumn<TPrefEntries>("entries");
  QTest::addColumn<QString>("message");
  QTest::newRow("empty section first")
      << WithAutorun(Entries(0, "", "x"), "y", "z") << "'' is not a valid integer value";
  QTest::newRow("then subsection")
      << WithAutorun(Entries(0, "2", "x"), "y", "z") << "'x' is not a valid integer value";
  QTest::newRow("then autorun section")
      << WithAutorun(Entries(0, "2", "17"), "y", "z") << "'y' is not a valid integer value";
  QTest::newRow("then autorun subsection")
      << WithAutorun(Entries(0, "2", "17"), "18", "z") << "'z' is not a valid integer value";
  QTest::newRow("trailing blank") << Entries(0, "2 ", "17") << "'2 ' is not a valid integer value";
}

void TestPrefRecord::refusesTextsInOrder() {
  QFETCH(TPrefEntries, entries);
  QFETCH(QString, message);
  try {
    EncodePrefRecord(entries, QByteArray());
    QFAIL("no conversion error");
  } catch (const EConvertError& error) {
    QCOMPARE(error.Message(), message);
  }
}

void TestPrefRecord::signedBytesSurviveRoundTrip() {
  for (int value = -128; value < 128; ++value) {
    const QString text = QString::number(value);
    const QByteArray record =
        EncodePrefRecord(WithAutorun(Entries(0, text, text), text, value ? text : "1"), {});
    const TPrefReading reading = DecodePrefRecord(record);
    if (value != 0) {
      QCOMPARE(reading.LibrarySection, value);
      QCOMPARE(reading.AutorunSection, value);
      QCOMPARE(reading.AutorunSubSection, value);
    }
    QCOMPARE(reading.LibrarySubSection, value != 0 ? value : DefaultLibrarySubSection);
  }
}

QTEST_APPLESS_MAIN(TestPrefRecord)
#include "test_prefrecord.moc"
