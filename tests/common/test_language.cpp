// The system's language as the window and kivnvm take it from the locale's variables: the first
// of LANGUAGE's list and the locale for messages that has a catalogue, English under a locale
// for messages of C or POSIX, or none, whatever LANGUAGE lists. Each row starts a program
// afresh, since Qt reads the locale once.

#include <QProcess>
#include <QtTest>

class TestLanguage : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void systemLanguage_data();
  void systemLanguage();
};

void TestLanguage::systemLanguage_data() {
  QTest::addColumn<QStringList>("variables");
  QTest::addColumn<QString>("language");
  QTest::newRow("Russian locale") << QStringList{"LANG=ru_RU.UTF-8"} << "ru";
  QTest::newRow("LANGUAGE first") << QStringList{"LANGUAGE=ru", "LANG=en_US.UTF-8"} << "ru";
  QTest::newRow("LANGUAGE passes over what has no catalogue")
      << QStringList{"LANGUAGE=de:ru", "LANG=de_DE.UTF-8"} << "ru";
  QTest::newRow("English before Russian")
      << QStringList{"LANGUAGE=en:ru", "LANG=ru_RU.UTF-8"} << "en";
  QTest::newRow("LC_MESSAGES over LANG")
      << QStringList{"LC_MESSAGES=ru_RU.UTF-8", "LANG=en_US.UTF-8"} << "ru";
  QTest::newRow("LC_ALL over LC_MESSAGES")
      << QStringList{"LC_ALL=en_US.UTF-8", "LC_MESSAGES=ru_RU.UTF-8"} << "en";
  QTest::newRow("no catalogue") << QStringList{"LANG=de_DE.UTF-8"} << "en";
  QTest::newRow("LC_ALL=C over Russian") << QStringList{"LC_ALL=C", "LANG=ru_RU.UTF-8"} << "en";
  // A desktop's LANGUAGE list does not outweigh a script's LC_ALL=C.
  QTest::newRow("LANGUAGE under LC_ALL=C") << QStringList{"LANGUAGE=ru:en", "LC_ALL=C"} << "en";
  QTest::newRow("LANGUAGE under LC_MESSAGES=POSIX")
      << QStringList{"LANGUAGE=ru", "LC_MESSAGES=POSIX", "LANG=ru_RU.UTF-8"} << "en";
  QTest::newRow("LANGUAGE under C.UTF-8") << QStringList{"LANGUAGE=ru", "LANG=C.UTF-8"} << "en";
  QTest::newRow("LANGUAGE without a locale") << QStringList{"LANGUAGE=ru"} << "en";
  QTest::newRow("nothing") << QStringList{} << "en";
}

void TestLanguage::systemLanguage() {
  QFETCH(QStringList, variables);
  QFETCH(QString, language);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
    environment.remove(QString::fromLatin1(name));
  for (const QString& variable : variables)
    environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
  QProcess probe;
  probe.setProcessEnvironment(environment);
  probe.start(QStringLiteral(LANGUAGE_PROBE), {});
  QVERIFY(probe.waitForFinished());
  QCOMPARE(probe.exitCode(), 0);
  QCOMPARE(QString::fromLatin1(probe.readAllStandardOutput()).trimmed(), language);
}

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
