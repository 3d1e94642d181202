// Every kivnvm command that talks to the phone goes through the library chosen with --link or
// with the settings file's [Link] Library=. kivnvm runs here with no library of its own beside
// it, so a command that fell back on the default search would fail to load one.

#include <QDir>
#include <QtTest>

#include "tests/cli/kivnvmphonetest.h"
#include "tests/cli/kivnvmrunner.h"

class TestKivnvmChosenLibrary : public TKivnvmPhoneTest {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase();
  void everyPhoneCommandUsesTheChosenLibrary_data();
  void everyPhoneCommandUsesTheChosenLibrary();

 private:
  QTemporaryDir data_;
};

void TestKivnvmChosenLibrary::initTestCase() {
  // A history of its own, so that undo takes back this test's change and no other's.
  qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
}

void TestKivnvmChosenLibrary::everyPhoneCommandUsesTheChosenLibrary_data() {
  QTest::addColumn<bool>("fromSettings");
  QTest::newRow("--link") << false;
  QTest::newRow("[Link] Library=") << true;
}

void TestKivnvmChosenLibrary::everyPhoneCommandUsesTheChosenLibrary() {
  QFETCH(bool, fromSettings);
  MakeDemoPhone();
  const TKivnvm bare(TKivnvm::WithoutLibrary);
  const QString chosen = work_->filePath("chosen/libgbp.so");
  QVERIFY(QDir().mkpath(work_->filePath("chosen")));
  QVERIFY(QFile::copy(TVirtualPhone::LibraryPath(), chosen));
  QStringList choice;
  if (fromSettings)
    bare.WriteSettings("[Link]\nLibrary=" + chosen.toUtf8() + "\n");
  else
    choice = QStringList{"--link", chosen};
  WriteFileBytes(Path("small.bin"), QByteArray(300, 'x'));

  const QList<QStringList> commands{
      {"list"},
      {"link", "--test"},
      {"get", "18-9", Path("one.bin")},
      {"get", "--into", Path("into"), "18-9", "18-10"},
      {"get", "--all", Path("all")},
      {"put", "18-13", Path("small.bin")},
      {"put", "--into-free", Path("small.bin")},
      {"clear", "18-13"},
      {"clear", "18-9", "18-11"},
      {"backup", Path("backup")},
      {"restore", Path("backup")},
      {"undo"},
  };
  for (const QStringList& command : commands) {
    phone_->ClearJournal();
    const TKivnvmRun run = bare.Run(command + choice);
    const QString name = command.join(' ');
    QVERIFY2(run.ExitCode == 0, qPrintable(name + ": " + run.Err));
    QVERIFY2(phone_->Calls("InitGBPMode") >= 1, qPrintable(name + ": the library saw no call"));
  }
}

QTEST_GUILESS_MAIN(TestKivnvmChosenLibrary)
#include "test_kivnvm_chosenlibrary.moc"
