// The framework pieces every command relies on: integer conversion, the error texts and
// the error box's full stop, and the command guard.

#include <QtTest>

#include "common/errors.h"
#include "common/strtoint.h"
#include "tests/support/scriptedmodal.h"

class TestCommon : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void convertsIntegers_data();
  void convertsIntegers();
  void refusesNonIntegers_data();
  void refusesNonIntegers();
  void conversionErrorNamesTheText();
  void fullStopRule_data();
  void fullStopRule();
  void guardShowsErrorAndEndsCommand();
};

void TestCommon::convertsIntegers_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<qint32>("value");
  QTest::newRow("decimal") << "12345" << 12345;
  QTest::newRow("leading zero") << "09" << 9;
  QTest::newRow("leading blanks") << "  17" << 17;
  QTest::newRow("minus") << "-1" << -1;
  QTest::newRow("plus") << "+300" << 300;
  QTest::newRow("dollar hex") << "$12" << 18;
  QTest::newRow("0x hex") << "0x370000" << 0x370000;
  QTest::newRow("0X hex") << "0X1f" << 31;
  QTest::newRow("x hex") << "x10" << 16;
  QTest::newRow("X hex") << "XfF" << 255;
  QTest::newRow("eight hex places wrap") << "0xFFFFFFFF" << -1;
  QTest::newRow("leading hex zeros") << "0x000000000012" << 18;
  QTest::newRow("int max") << "2147483647" << 2147483647;
  QTest::newRow("int min") << "-2147483648" << qint32(-2147483647 - 1);
}

void TestCommon::convertsIntegers() {
  QFETCH(QString, text);
  QFETCH(qint32, value);
  QCOMPARE(TryStrToInt(text), std::optional<qint32>(value));
  QCOMPARE(StrToInt(text), value);
}

void TestCommon::refusesNonIntegers_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("empty") << "";
  QTest::newRow("blanks only") << "   ";
  QTest::newRow("sign only") << "-";
  QTest::newRow("prefix only") << "0x";
  QTest::newRow("dollar only") << "$";
  QTest::newRow("trailing blank") << "12 ";
  QTest::newRow("trailing text") << "12a";
  QTest::newRow("nine hex places") << "0x100000000";
  QTest::newRow("too big decimal") << "2147483648";
  QTest::newRow("too small decimal") << "-2147483649";
  QTest::newRow("sign before hex") << "-$10";
  QTest::newRow("letters") << "ZZ";
  QTest::newRow("firmware text") << "0x370000 - J7/70 3.10/4";
  QTest::newRow("tab before") << "\t5";
}

void TestCommon::refusesNonIntegers() {
  QFETCH(QString, text);
  QVERIFY(!TryStrToInt(text).has_value());
  QVERIFY_THROWS_EXCEPTION(EConvertError, StrToInt(text));
}

void TestCommon::conversionErrorNamesTheText() {
  try {
    StrToInt(QStringLiteral("1 2"));
    QFAIL("no error");
  } catch (const EConvertError& error) {
    QCOMPARE(error.Message(), QStringLiteral("'1 2' is not a valid integer value"));
  }
  QCOMPARE(EFOpenError(QStringLiteral("a.bin")).Message(),
           QStringLiteral("Cannot open file a.bin"));
  QCOMPARE(EFCreateError(QStringLiteral("temp.prg")).Message(),
           QStringLiteral("Cannot create file temp.prg"));
  QCOMPARE(EIniFileException(QStringLiteral("/x/KivManager.INI")).Message(),
           QStringLiteral("Unable to write to /x/KivManager.INI"));
}

void TestCommon::fullStopRule_data() {
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("shown");
  QTest::newRow("quote sorts after dot") << "'' is not a valid integer value"
                                         << "'' is not a valid integer value.";
  QTest::newRow("letter") << "Cannot open file a"
                          << "Cannot open file a.";
  QTest::newRow("ends with dot") << "Done."
                                 << "Done.";
  QTest::newRow("ends with bang") << "Oops!"
                                  << "Oops!";
  QTest::newRow("ends with comma") << "a,"
                                   << "a,";
  QTest::newRow("ends with slash") << "/tmp/"
                                   << "/tmp/.";
  QTest::newRow("empty") << ""
                         << "";
}

void TestCommon::fullStopRule() {
  QFETCH(QString, message);
  QFETCH(QString, shown);
  QCOMPARE(WithFullStop(message), shown);
}

void TestCommon::guardShowsErrorAndEndsCommand() {
  TScriptedModal modal;
  bool reachedEnd = false;
  GuardCommand([&] {
    StrToInt(QString());
    reachedEnd = true;
  });
  QVERIFY(!reachedEnd);
  QCOMPARE(modal.Shown.size(), 1);
  QCOMPARE(modal.Shown[0].Kind, TShownBox::Error);
  QCOMPARE(modal.Shown[0].Caption, QStringLiteral("Kiv Manager"));
  QCOMPARE(modal.Shown[0].Text, QStringLiteral("'' is not a valid integer value."));

  // Any other exception shows its own text, never an empty box.
  GuardCommand([] { throw std::runtime_error("out of memory"); });
  QCOMPARE(modal.Shown.size(), 2);
  QCOMPARE(modal.Shown[1].Text, QStringLiteral("out of memory."));
}

QTEST_GUILESS_MAIN(TestCommon)
#include "test_common.moc"
