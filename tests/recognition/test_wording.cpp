// The slots' texts in the user's language: every caption of what is no program, the grid's
// descriptions and the undo box's text read in Russian with no English word but names and
// format names, and a record keeps them in English; counts take their plural forms in both
// languages, English's from its own catalogue of plural forms.

#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "common/bytecount.h"
#include "tests/recognition/sectionbytes.h"
#include "transfer/history.h"

Q_DECLARE_METATYPE(TSlotInfo)

namespace {

// The catalogue of a language, installed while it lives.
class TLanguage {
 public:
  explicit TLanguage(const char* code) {
    const QString file = QCoreApplication::applicationDirPath() +
                         QStringLiteral("/translations/kivmanager_%1.qm").arg(code);
    if (!translator_.load(file))
      qFatal("cannot load %s", qPrintable(file));
    QCoreApplication::installTranslator(&translator_);
  }
  ~TLanguage() { QCoreApplication::removeTranslator(&translator_); }
  TLanguage(const TLanguage&) = delete;
  TLanguage& operator=(const TLanguage&) = delete;

 private:
  QTranslator translator_;
};

// The Latin words of a text that are neither a format's name nor the ringer's or pack's.
QStringList EnglishWords(const QString& text) {
  static const QRegularExpression word(QStringLiteral("\\b[A-Za-z]+\\b"));
  static const QStringList names{"GIF", "UFIF", "PRG", "LZO", "SHA", "Pixmara", "Ring", "Calc"};
  QStringList found;
  for (auto match = word.globalMatch(text); match.hasNext();) {
    const QString each = match.next().captured();
    if (!names.contains(each))
      found << each;
  }
  return found;
}

QByteArray Gif() {
  return TBytes().Text(0, "GIF89a").Size(40);
}

}  // namespace

class TestWording : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void captions_data();
  void captions();
  void undoText();
  void counts_data();
  void counts();
};

void TestWording::captions_data() {
  QTest::addColumn<TSlotInfo>("info");
  QTest::addColumn<QString>("english");
  const TSlotInfo none;
  const auto read = [&none](const QByteArray& bytes) {
    return ClassifySection(none, qint32(bytes.size()), bytes);
  };
  QTest::newRow("empty") << EmptySlotInfo(none) << "< Empty >";
  QTest::newRow("not read") << NotReadSlotInfo(none, 300) << "(not read)";
  QTest::newRow("data") << read(TBytes().Text(0, "Some data, no header")) << "< Data >";
  QTest::newRow("GIF") << read(Gif()) << "< GIF-File >";
  QTest::newRow("UFIF2 library") << read(TBytes().Text(0, "LIB").Size(20))
                                 << "< UFIF2 ExtLibrary >";
  QTest::newRow("pack") << read(TBytes().Text(0, "PHF").Size(20)) << "< Pixmara pack >";
  QTest::newRow("ringer") << read(TBytes().Utf16(4, "Ring").Size(20)) << "10 sec ringer: Ring";
  QTest::newRow("PRG3 library") << read(TBytes().Word(0, 21).Size(20))
                                << "< PRG3 ExtLibrary ver.21>";
  QTest::newRow("LZO of data") << read(TBytes().Word(0, 0x004F5A4C).Word(20, 0x30C0DE01).Size(40))
                               << "< Data >";
}

// The record keeps the English caption, which the grid, the tooltip and the one-line
// description show translated; a program's name stays as it is.
void TestWording::captions() {
  QFETCH(TSlotInfo, info);
  QFETCH(QString, english);
  QCOMPARE(info.Caption, english);
  QCOMPARE(ShownCaption(info), english);
  const TSlotRanges ranges;
  {
    const TLanguage russian("ru");
    QCOMPARE(EnglishWords(ShownCaption(info)), QStringList());
    QCOMPARE(EnglishWords(SlotDescription(info)), QStringList());
    QCOMPARE(EnglishWords(SlotDescription(1, info, ranges, QLatin1Char(','))), QStringList());
    QCOMPARE(EnglishWords(CellText(1, 1, info, ranges, QLatin1Char(','))), QStringList());
    QCOMPARE(ShownSlotDescription(RecordedSlotDescription(info)), SlotDescription(info));
    QVERIFY(!RecordedSlotDescription(info).contains(ShownCaption(info)));
    TSlotInfo program = info;
    program.Kind = skProgram;
    QCOMPARE(ShownCaption(program), english);
  }
}

// "в секции снова < Данные >, 36 байт (SHA-256 ...)", once, with no English between.
void TestWording::undoText() {
  THistoryEntry entry;
  entry.Id = QStringLiteral("1");
  entry.Change = QStringLiteral("Upload");
  entry.Address = {18, 9};
  entry.Before = StateOfBytes(TBytes().Text(0, "Some data, no header").Size(36));
  QCOMPARE(entry.Before.Description, QStringLiteral("< Data >, 36 bytes"));
  const TLanguage russian("ru");
  const QString text = TakenBackText(entry);
  QVERIFY2(EnglishWords(text).isEmpty(), qPrintable(text));
  QCOMPARE(text.count(QStringLiteral("36")), 1);
}

void TestWording::counts_data() {
  QTest::addColumn<QByteArray>("language");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("bytes");
  QTest::addColumn<QString>("slotCount");
  const auto row = [](const char* language, int count, const char* bytes, const char* slotCount) {
    QTest::addRow("%s %d", language, count)
        << QByteArray(language) << count << QString::fromUtf8(bytes)
        << QString::fromUtf8(slotCount);
  };
  row("en", 1, "1 byte", "Download 1 slot...");
  row("en", 2, "2 bytes", "Download 2 slots...");
  row("en", 5, "5 bytes", "Download 5 slots...");
  row("en", 21, "21 bytes", "Download 21 slots...");
  row("ru", 1, "1 байт", "Сохранить 1 слот...");
  row("ru", 2, "2 байта", "Сохранить 2 слота...");
  row("ru", 5, "5 байт", "Сохранить 5 слотов...");
  row("ru", 21, "21 байт", "Сохранить 21 слот...");
  row("ru", 1000002, "1000002 байта", "Сохранить 1000002 слота...");
}

void TestWording::counts() {
  QFETCH(QByteArray, language);
  QFETCH(int, count);
  QFETCH(QString, bytes);
  QFETCH(QString, slotCount);
  const TLanguage catalogue(language.constData());
  QCOMPARE(BytesText(count), bytes);
  QCOMPARE(QCoreApplication::translate("TForm1", "Download %n slots...", nullptr, count),
           slotCount);
  QCOMPARE(BytesText(count, TWording::Recorded), QStringLiteral("%1 bytes").arg(count));
}

QTEST_MAIN(TestWording)
#include "test_wording.moc"
