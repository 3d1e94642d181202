// kivnvm speaks the language of the locale, or KIV_LANG's, in its help, usage errors and
// messages; English with LC_ALL=C or no language at all (how the locale's variables decide is
// test_language's); and the same bytes of --json in every language, failures' messages
// included. The Russian expected is the compiled catalogue's own, so the test holds for whatever
// words the catalogue gives.

#include <QTranslator>
#include <QtTest>

#include "cli/help.h"
#include "tests/cli/kivnvmphonetest.h"

namespace {

// The variables the language comes from: each row sets only its own.
const QStringList LanguageVariables{"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "KIV_LANG"};

QString Cli(const char* source) {
  return QCoreApplication::translate("Cli", source);
}

}  // namespace

class TestKivnvmLanguage : public TKivnvmPhoneTest {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase();
  void textsInTheLanguageChosen_data();
  void textsInTheLanguageChosen();
  void jsonTheSameInEveryLanguage_data();
  void jsonTheSameInEveryLanguage();
  void listInRussian();

 private:
  void UseVariables(const QStringList& assignments);

  QTranslator russian_;
  QTemporaryDir data_;
};

void TestKivnvmLanguage::initTestCase() {
  qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
  kivnvm_.AddCatalogues();
  const QString catalogue =
      QCoreApplication::applicationDirPath() + QStringLiteral("/translations/kivmanager_ru.qm");
  QVERIFY2(russian_.load(catalogue), qPrintable(catalogue));
}

void TestKivnvmLanguage::cleanupTestCase() {
  QCoreApplication::removeTranslator(&russian_);
}

void TestKivnvmLanguage::UseVariables(const QStringList& assignments) {
  for (const QString& name : LanguageVariables)
    kivnvm_.SetVariable(name, QString());
  for (const QString& assignment : assignments)
    kivnvm_.SetVariable(assignment.section('=', 0, 0), assignment.section('=', 1));
}

void TestKivnvmLanguage::textsInTheLanguageChosen_data() {
  QTest::addColumn<QStringList>("variables");
  QTest::addColumn<bool>("russian");
  QTest::newRow("Russian locale") << QStringList{"LANG=ru_RU.UTF-8"} << true;
  QTest::newRow("LANGUAGE first") << QStringList{"LANGUAGE=ru", "LANG=en_US.UTF-8"} << true;
  QTest::newRow("KIV_LANG over C") << QStringList{"LANG=C", "KIV_LANG=ru"} << true;
  QTest::newRow("LC_ALL=C over Russian") << QStringList{"LC_ALL=C", "LANG=ru_RU.UTF-8"} << false;
  QTest::newRow("LANGUAGE under LC_ALL=C") << QStringList{"LANGUAGE=ru:en", "LC_ALL=C"} << false;
  QTest::newRow("KIV_LANG=en over Russian")
      << QStringList{"LANG=ru_RU.UTF-8", "KIV_LANG=en"} << false;
  QTest::newRow("no language") << QStringList{} << false;
}

// Exact stderr: a Qt warning about the locale would show there.
void TestKivnvmLanguage::textsInTheLanguageChosen() {
  QFETCH(QStringList, variables);
  QFETCH(bool, russian);
  UseVariables(variables);
  QCoreApplication::removeTranslator(&russian_);
  if (russian)
    QCoreApplication::installTranslator(&russian_);

  const TKivnvmRun help = kivnvm_.Run({"--help"});
  QCOMPARE(help.Out, UsageText() + '\n');
  QCOMPARE(help.Err, QString());

  const TKivnvmRun usage = kivnvm_.Run({"frob"});
  QCOMPARE(usage.ExitCode, 2);
  QCOMPARE(usage.Err,
           "kivnvm: " +
               Cli("%1\nTry 'kivnvm --help'.").arg(Cli("unknown command '%1'").arg("frob")) + '\n');

  const QString big = Path("big.bin");
  WriteFileBytes(big, QByteArray(70000, 'x'));
  const TKivnvmRun failed = kivnvm_.Run({"pack", big, Path("out")});
  QCOMPARE(failed.ExitCode, 1);
  QCOMPARE(failed.Err,
           "kivnvm: " + Cli("%1 is too big: more than %2 bytes").arg(big, "65536") + '\n');
}

// Scripts read --json in any language; the texts in it (an inspect note, a history change, a
// failure's message from wherever it comes) stay English.
void TestKivnvmLanguage::jsonTheSameInEveryLanguage_data() {
  QTest::addColumn<QStringList>("command");
  QTest::addColumn<QString>("faults");
  QTest::addColumn<QString>("english");  // what the output holds
  QTest::newRow("list") << QStringList{"list", "--json"} << ""
                        << "\"kind\": \"program\"";
  QTest::newRow("history") << QStringList{"history", "--json"} << ""
                           << "\"change\": \"Clear\"";
  QTest::newRow("inspect") << QStringList{"inspect", "--json", "-"} << ""
                           << "larger than any slot";
  QTest::newRow("list failing") << QStringList{"list", "--json"} << "size 18-11=-7"
                                << "Error getting section 18-11 size";
  QTest::newRow("link test failing") << QStringList{"link", "--json", "--test"} << "init=-3"
                                     << "GBP Error: No AT response! (COM1, the default";
  QTest::newRow("library missing")
      << QStringList{"link", "--json", "--link", "/nonexistent/libgbp.so"} << ""
      << "/nonexistent/libgbp.so: no such file";
}

void TestKivnvmLanguage::jsonTheSameInEveryLanguage() {
  QFETCH(QStringList, command);
  QFETCH(QString, faults);
  QFETCH(QString, english);
  MakeDemoPhone();
  QCOMPARE(kivnvm_.Run({"clear", "18-9"}).ExitCode, 0);
  phone_->SetFaults(faults);
  UseVariables({"LANG=C"});
  const TKivnvmRun inEnglish = kivnvm_.RunFromFile(command, "/dev/zero");
  UseVariables({"LANG=ru_RU.UTF-8"});
  const TKivnvmRun inRussian = kivnvm_.RunFromFile(command, "/dev/zero");
  QVERIFY2(inEnglish.Out.contains(english), qPrintable(inEnglish.Out));
  QCOMPARE(inRussian.OutBytes, inEnglish.OutBytes);
  QCOMPARE(inRussian.ExitCode, inEnglish.ExitCode);
}

// The slots' captions of what is no program read in Russian; the programs keep their names.
void TestKivnvmLanguage::listInRussian() {
  MakeDemoPhone();
  UseVariables({"LANG=ru_RU.UTF-8"});
  QCoreApplication::installTranslator(&russian_);
  const TKivnvmRun list = kivnvm_.Run({"list"});
  QCOMPARE(list.ExitCode, 0);
  for (const char* english : {"Empty", "Data", "File", "ringer", "ExtLibrary", "pack", "read"})
    QVERIFY2(!list.Out.contains(QLatin1String(english)), qPrintable(list.Out));
  QVERIFY2(list.Out.contains(QCoreApplication::translate("Catalogue", "< GIF-File >")),
           qPrintable(list.Out));
}

QTEST_MAIN(TestKivnvmLanguage)
#include "test_kivnvm_language.moc"
