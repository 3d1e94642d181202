// Every kivnvm command that talks to the phone goes through the library chosen with --link or
// with the settings file's [Link] Library=. kivnvm runs here with no library of its own beside
// it, so a command that fell back on the default search would fail to load one.

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include "tests/cli/kivnvmphonetest.h"
#include "tests/cli/kivnvmrunner.h"

class TestKivnvmChosenLibrary : public TKivnvmPhoneTest {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase();
  void everyPhoneCommandUsesTheChosenLibrary_data();
  void everyPhoneCommandUsesTheChosenLibrary();
  void unreadableSettingsRefuseEveryPhoneCommand_data();
  void unreadableSettingsRefuseEveryPhoneCommand();

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

void TestKivnvmChosenLibrary::unreadableSettingsRefuseEveryPhoneCommand_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("reason");
  QTest::newRow("unreadable") << "unreadable"
                              << "Permission denied";
  QTest::newRow("malformed") << "malformed"
                             << "it is not in INI format";
  QTest::newRow("folder") << "folder"
                          << "Is a directory";
}

// Settings that chose a library and cannot be read: every phone command refuses, naming the
// file and why, and no library is called, though the demo phone stands beside kivnvm.
void TestKivnvmChosenLibrary::unreadableSettingsRefuseEveryPhoneCommand() {
  QFETCH(QString, kind);
  QFETCH(QString, reason);
  MakeDemoPhone();
  const QString settings = QDir(kivnvm_.Dir()).filePath("KivManager.INI");
  // The next row, and the next test, start without it.
  struct TRemoved {
    QString Path;
    ~TRemoved() {
      QDir(Path).removeRecursively();
      QFile::remove(Path);
    }
  } removed{settings};
  const QByteArray chosen = "Library=" + work_->filePath("chosen/gbp.dll").toUtf8() + "\n";
  if (kind == QLatin1String("folder"))
    QVERIFY(QDir().mkdir(settings));
  else
    kivnvm_.WriteSettings(kind == QLatin1String("malformed") ? "[Link\n" + chosen
                                                             : "[Link]\n" + chosen);
  if (kind == QLatin1String("unreadable")) {
    QFile(settings).setPermissions(QFileDevice::WriteOwner);
    if (QFileInfo(settings).isReadable())
      QSKIP("This account reads files whatever their permissions (root)");
  }
  const QList<QStringList> commands{{"list"},
                                    {"link"},
                                    {"link", "--test"},
                                    {"backup", Path("backup")},
                                    {"restore", Path("backup")},
                                    {"history"},
                                    {"undo"}};
  for (const QStringList& command : commands) {
    phone_->ClearJournal();
    const TKivnvmRun run = kivnvm_.Run(command);
    const QString name = command.join(' ');
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.contains("The settings file " + settings + " cannot be read: " + reason),
             qPrintable(name + ": " + run.Err));
    QVERIFY2(phone_->Journal().isEmpty(), qPrintable(name + ": a library was called"));
  }
  QVERIFY(!QFileInfo::exists(Path("backup")));
}

QTEST_GUILESS_MAIN(TestKivnvmChosenLibrary)
#include "test_kivnvm_chosenlibrary.moc"
