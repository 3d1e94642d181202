// The PRG3 library text: how lines are split, which lines contribute which words, the
// 512-word limit and the release-line error.

#include <QtTest>

#include "common/errors.h"
#include "libraries/prg3text.h"
#include "tests/support/words.h"

namespace {

QStringList ValueLines(int count) {
  QStringList lines;
  for (int i = 0; i < count; ++i)
    lines << QStringLiteral("%1 ; word").arg(i, 0, 16);
  return lines;
}

}  // namespace

class TestPRG3Text : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void splitsLines_data();
  void splitsLines();
  void buildsImages_data();
  void buildsImages();
  void namesIgnoredLines();
  void keepsAtMost512Words();
  void refusesBadReleaseCharacter_data();
  void refusesBadReleaseCharacter();
};

void TestPRG3Text::splitsLines_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QStringList>("lines");
  QTest::newRow("empty") << QByteArray() << QStringList();
  QTest::newRow("no terminator") << QByteArray("a") << QStringList{"a"};
  QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
  QTest::newRow("CR") << QByteArray("a\rb") << QStringList{"a", "b"};
  QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
  QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
  QTest::newRow("mixed") << QByteArray("a\r\n\nb\rc") << QStringList{"a", "", "b", "c"};
  QTest::newRow("empty lines kept") << QByteArray("\n\n") << QStringList{"", ""};
  QTest::newRow("byte order mark dropped") << QByteArray(
                                                  "\xEF\xBB\xBF"
                                                  "10 x\n")
                                           << QStringList{"10 x"};
  QTest::newRow("8-bit bytes kept one for one")
      << QByteArray("\xC0\xFF z") << QStringList{QString::fromLatin1("\xC0\xFF z")};
}

void TestPRG3Text::splitsLines() {
  QFETCH(QByteArray, text);
  QFETCH(QStringList, lines);
  QCOMPARE(SplitTextLines(text), lines);
}

void TestPRG3Text::buildsImages_data() {
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QByteArray>("image");
  QTest::newRow("release then values")
      << QStringList{"RELEASE=3", "10 first", "ABCD second"} << Words({3, 0x10, 0xABCD});
  QTest::newRow("one release character only") << QStringList{"RELEASE=12"} << Words({1});
  QTest::newRow("first equals sign counts") << QStringList{"A=1 RELEASE=3"} << Words({1});
  QTest::newRow("release marker anywhere")
      << QStringList{";; RELEASE=7 of the library"} << Words({7});
  QTest::newRow("lower-case marker is a value line")
      << QStringList{"release=5 x", "5 y"} << Words({5});
  QTest::newRow("hex digits") << QStringList{"1F x"} << Words({31});
  QTest::newRow("digits are hex") << QStringList{"10 x"} << Words({16});
  QTest::newRow("own 0x prefix") << QStringList{"0x10 x"} << Words({16});
  QTest::newRow("own dollar prefix") << QStringList{"$1f x"} << Words({31});
  QTest::newRow("negative decimal") << QStringList{"-5 x"} << Words({4294967291u});
  QTest::newRow("full word") << QStringList{"FFFFFFFF x"} << Words({0xFFFFFFFF});
  QTest::newRow("nine digits fall back to decimal")
      << QStringList{"123456789 x"} << Words({123456789});
  QTest::newRow("nine hex digits ignored") << QStringList{"12345678A x"} << QByteArray();
  QTest::newRow("not a number") << QStringList{"ZZ x"} << QByteArray();
  QTest::newRow("no space") << QStringList{"10"} << QByteArray();
  QTest::newRow("empty line") << QStringList{""} << QByteArray();
  QTest::newRow("leading space") << QStringList{" 10 x"} << QByteArray();
  QTest::newRow("tab is no separator") << QStringList{"10\tx"} << QByteArray();
  QTest::newRow("two release lines in place")
      << QStringList{"RELEASE=2", "1 a", "RELEASE=4", "2 b"} << Words({2, 1, 4, 2});
  QTest::newRow("release after values") << QStringList{"5 a", "RELEASE=3"} << Words({5, 3});
  QTest::newRow("nothing contributes") << QStringList{"; comment", "", "text"} << QByteArray();
}

void TestPRG3Text::buildsImages() {
  QFETCH(QStringList, lines);
  QFETCH(QByteArray, image);
  const TPRG3Image result = PRG3ImageFromLines(lines);
  QCOMPARE(result.Image, image);
  QVERIFY(!result.TooBig);
}

void TestPRG3Text::namesIgnoredLines() {
  const QStringList lines{"RELEASE=3", "10 a",  "",     "   ",         "10",    "ZZ x",
                          " 10 x",     "10\tx", "-5 x", "12345678A x", "0x10 x"};
  QCOMPARE(PRG3IgnoredLines(lines), (QList<int>{5, 6, 7, 8, 10}));
  QCOMPARE(PRG3ImageFromLines(lines).Image.size(), 4 * (lines.size() - 2 - 5));
}

void TestPRG3Text::keepsAtMost512Words() {
  const TPRG3Image full = PRG3ImageFromLines(ValueLines(PRG3MaxWords) << "no value");
  QVERIFY(!full.TooBig);
  QCOMPARE(full.Image.size(), 2048);
  QCOMPARE(full.Image.right(4), Words({511}));

  const TPRG3Image over = PRG3ImageFromLines(ValueLines(PRG3MaxWords + 1));
  QVERIFY(over.TooBig);
  QVERIFY(over.Image.isEmpty());

  // Collecting stops at the 513th word, so a bad release line after it is never reached.
  const TPRG3Image stopped = PRG3ImageFromLines(ValueLines(PRG3MaxWords + 1) << "RELEASE=");
  QVERIFY(stopped.TooBig);
}

void TestPRG3Text::refusesBadReleaseCharacter_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("message");
  QTest::newRow("nothing after") << "RELEASE="
                                 << "'' is not a valid integer value";
  QTest::newRow("letter") << "RELEASE=A"
                          << "'A' is not a valid integer value";
  QTest::newRow("blank") << "RELEASE= 3"
                         << "' ' is not a valid integer value";
  QTest::newRow("sign") << "RELEASE=-3"
                        << "'-' is not a valid integer value";
  QTest::newRow("first equals sign") << "X=RELEASE=3"
                                     << "'R' is not a valid integer value";
}

void TestPRG3Text::refusesBadReleaseCharacter() {
  QFETCH(QString, line);
  QFETCH(QString, message);
  try {
    PRG3ImageFromLines({"1 a", line, "2 b"});
    QFAIL("no conversion error");
  } catch (const EConvertError& error) {
    QCOMPARE(error.Message(), message);
  }
}

QTEST_APPLESS_MAIN(TestPRG3Text)
#include "test_prg3text.moc"
