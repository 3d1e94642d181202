// kivnvm and the link host: "kivnvm link", and the library's hangs and crashes in the middle
// of a command, each told once, with the next command working again; a host whose kivnvm is
// killed ends with it.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "tests/cli/killedmanager.h"
#include "tests/cli/kivnvmphonetest.h"
#include "tests/cli/kivnvmrunner.h"

class TestKivnvmLink : public TKivnvmPhoneTest {
  Q_OBJECT
 private Q_SLOTS:
  void linkTellsTheLibraryAndHowItRuns();
  void linkTestAsksTheSizeOfThePreferences_data();
  void linkTestAsksTheSizeOfThePreferences();
  void crashEndsABackupOnceAndTheNextCommandWorks();
  void crashDuringARestoreWritesNothingMore();
  void hangEndsWithinItsDeadline();
  void hostEndsWithItsKilledManager();
  void missingWindowsHostIsToldByName();
  void serialDevicesAreCheckedBeforeTheLinkOpens();
};

void TestKivnvmLink::linkTellsTheLibraryAndHowItRuns() {
  const QString library = QDir(kivnvm_.Dir()).filePath("libgbp.so");
  const QString exports =
      "InitGBPMode, EndGBPMode, ReadNVMFile, WriteNVMFile, ClearNVMFile, GetNVMFileSize";
  TKivnvmRun run = kivnvm_.Run({"link"});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(
      run.OutLines(),
      (QStringList{"Library: " + library + " (demo phone)", "Kind: Linux library (64-bit, x86-64)",
                   "Runs: in this process", "Exports: " + exports, "Usable: yes"}));
  // The settings file's [Link] section, and the options that win over it.
  kivnvm_.WriteSettings("[Link]\nIsolate=true\nLibrary=/nonexistent/libgbp.so\n");
  run = kivnvm_.Run({"link", "--json", "--link", library});
  QCOMPARE(run.ExitCode, 0);
  const QJsonObject json = QJsonDocument::fromJson(run.OutBytes).object();
  QCOMPARE(json["library"].toString(), library);
  QCOMPARE(json["runs"].toString(), QStringLiteral("in the link host"));
  QCOMPARE(json["demoPhone"].toBool(), true);  // the host tells the mark too
  QCOMPARE(json["exports"].toArray().size(), 6);
  QCOMPARE(json["usable"].toBool(), true);
  // A file that is not there runs nowhere, and its exports are not known.
  kivnvm_.WriteSettings("[Link]\nLibrary=/nonexistent/libgbp.so\n");
  for (const QString isolate : {"", "--isolate"}) {
    run = kivnvm_.Run(isolate.isEmpty() ? QStringList{"link"} : QStringList{"link", isolate});
    QCOMPARE(run.ExitCode, 1);
    QCOMPARE(run.OutLines(), (QStringList{"Library: /nonexistent/libgbp.so",
                                          "Runs: not at all (it could not be loaded)",
                                          "Exports: not checked (the library could not be loaded)",
                                          "Usable: no (/nonexistent/libgbp.so: no such file)"}));
  }
  QCOMPARE(kivnvm_.Run({"link", "--timeout-factor", "0"}).ExitCode, 2);
  kivnvm_.WriteSettings(QByteArray());
}

void TestKivnvmLink::linkTestAsksTheSizeOfThePreferences_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<QString>("faults");
  QTest::addColumn<QString>("outcome");
  QTest::addColumn<QStringList>("journal");
  for (const QString how : {"", "--isolate"}) {
    QTest::newRow(qPrintable(how + " opens"))
        << how << ""
        << "The link works on COM1: section 2-18 holds nothing."
        << QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(2,18) = -153", "EndGBPMode() = 0"};
    QTest::newRow(qPrintable(how + " size not told"))
        << how << "size 2-18=-5"
        << "The link works on COM1, but the phone did not tell what section 2-18 holds (size "
           "answer -5)."
        << QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(2,18) = -5", "EndGBPMode() = 0"};
    QTest::newRow(qPrintable(how + " size fails"))
        << how << "size 2-18=-7"
        << "The link opened on COM1, but asking the size of 2-18 gave GBP Error: Invalid "
           "arguments!"
        << QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(2,18) = -7", "EndGBPMode() = 0"};
    QTest::newRow(qPrintable(how + " no answer"))
        << how << "init=-3"
        << "GBP Error: No AT response! (COM1, from --port)" << QStringList{"InitGBPMode(1) = -3"};
  }
}

void TestKivnvmLink::linkTestAsksTheSizeOfThePreferences() {
  QFETCH(QString, how);
  QFETCH(QString, faults);
  QFETCH(QString, outcome);
  QFETCH(QStringList, journal);
  phone_->SetFaults(faults);
  QStringList arguments{"link", "--test", "--port", "COM1"};
  if (!how.isEmpty())
    arguments << how;
  const TKivnvmRun run = kivnvm_.Run(arguments);
  QCOMPARE(run.ExitCode, outcome.startsWith("The link works") ? 0 : 1);
  QCOMPARE(run.OutLines().last(), "Link test on COM1: " + outcome);
  QCOMPARE(phone_->Journal(), journal);
}

void TestKivnvmLink::crashEndsABackupOnceAndTheNextCommandWorks() {
  MakeDemoPhone();
  phone_->SetFaults("size 18-11=crash");
  const TKivnvmRun run = kivnvm_.Run({"backup", "--isolate", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  const QString crash = "The phone-link library stopped during GetNVMFileSize 18-11 (signal 11)";
  QCOMPARE(run.Err.count(crash), 2);  // as it happened, and where the backup stopped
  QVERIFY2(run.Err.contains("The link was lost at section 18-11 (" + crash +
                            "): the 26 sections after it were not read and are missing"),
           qPrintable(run.Err));
  QCOMPARE(run.Err.count("is missing from the backup"), 1);
  QVERIFY(run.Err.contains("Backed up 2 of 29 sections"));
  const QJsonArray sections = QJsonDocument::fromJson(ReadFileBytes(Path("backup/manifest.json")))
                                  .object()["sections"]
                                  .toArray();
  int missing = 0;
  for (const QJsonValue& value : sections)
    missing += value.toObject()["missing"].toBool() ? 1 : 0;
  QCOMPARE(missing, 27);
  phone_->SetFaults(QString());
  QCOMPARE(kivnvm_.Run({"list", "--isolate"}).ExitCode, 0);
}

void TestKivnvmLink::crashDuringARestoreWritesNothingMore() {
  MakeDemoPhone();
  QCOMPARE(kivnvm_.Run({"backup", Path("backup")}).ExitCode, 0);
  const QByteArray held = phone_->Get(18, 9);
  phone_->Remove(18, 9);
  phone_->Remove(18, 11);
  // The smaller section goes first, as it needs less room.
  phone_->SetFaults("write 18-11=crash");
  phone_->ClearJournal();
  const TKivnvmRun run = kivnvm_.Run({"restore", "--isolate", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("Section 18-11 not restored"), qPrintable(run.Err));
  QVERIFY(
      run.Err.contains(QRegularExpression("The link was lost at section 18-11 \\(.*\\): the "
                                          "\\d+ sections after it were not reached")));
  QVERIFY2(!run.Out.contains("wrote"), qPrintable(run.Out));
  QVERIFY(!phone_->Holds(18, 9));
  QVERIFY(!phone_->Holds(18, 11));
  QCOMPARE(phone_->Calls("WriteNVMFile"), 0);
  phone_->SetFaults(QString());
  QCOMPARE(kivnvm_.Run({"restore", "--isolate", Path("backup")}).ExitCode, 0);
  QCOMPARE(phone_->Get(18, 9), held);
}

void TestKivnvmLink::hangEndsWithinItsDeadline() {
  MakeDemoPhone();
  phone_->SetFaults("read 18-9=hang");
  const TKivnvmRun run =
      kivnvm_.Run({"get", "--isolate", "--timeout-factor", "0.01", "18-9", Path("out")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("The phone-link library did not answer ReadNVMFile 18-9 within"),
           qPrintable(run.Err));
  QVERIFY(!QFile::exists(Path("out")));
}

// The host hangs in the library holding the port; its manager is killed. The host is gone
// within 1 s, and the next kivnvm opens the port at once.
void TestKivnvmLink::hostEndsWithItsKilledManager() {
  MakeDemoPhone();
  phone_->SetFaults("size 18-9=hang;read 18-9=hang");
  const TKilledManager killed =
      KillManagerInCall(kivnvm_, {"get", "--isolate", "18-9", Path("out")},
                        [&] { return phone_->Journal().contains("InitGBPMode(1) = 0"); });
  QVERIFY(killed.Host > 0);
  QVERIFY2(killed.HostGoneMs >= 0 && killed.HostGoneMs < 1000,
           qPrintable(QString::number(killed.HostGoneMs)));
  phone_->SetFaults(QString());
  QCOMPARE(kivnvm_.Run({"get", "--isolate", "18-9", Path("out")}).ExitCode, 0);
  QCOMPARE(ReadFileBytes(Path("out")), phone_->Get(18, 9));
}

// A copy of kivnvm without the Windows link hosts beside it, as a user makes one: the host is
// told missing by name, with where it was looked for, before Wine is started.
void TestKivnvmLink::missingWindowsHostIsToldByName() {
  const QString dll = QStringLiteral(GBP_DLL);
  const QString missing =
      QStringLiteral(
          "The link host kiv-linkhost-win32.exe is missing: it was looked for in %1 and %2.")
          .arg(kivnvm_.Dir(), QDir::cleanPath(kivnvm_.Dir() + "/" KIV_PRIVATE_LIBDIR_FROM_BINDIR));
  TKivnvmRun run = kivnvm_.Run({"link", "--link", dll});
  QCOMPARE(run.ExitCode, 1);
  QCOMPARE(run.OutLines().mid(0, 3),
           (QStringList{"Library: " + dll, "Kind: 32-bit Windows library (i386)",
                        "Runs: in the 32-bit link host under Wine"}));
  QVERIFY2(run.OutLines().contains("Usable: no (" + missing + ")"), qPrintable(run.Out));
  QVERIFY2(run.OutLines().contains("Exports: not checked (the link host did not start)"),
           qPrintable(run.Out));
  run = kivnvm_.Run({"list", "--link", dll});
  QCOMPARE(run.ExitCode, 1);
  QCOMPARE(run.Err, "kivnvm: Unable to open GPB.DLL\n" + missing + "\n");
}

void TestKivnvmLink::serialDevicesAreCheckedBeforeTheLinkOpens() {
  const QString missing = Path("ttyUSB9");
  const QString missingText =
      "COM1 is " + missing + ", which does not exist: is the cable plugged in?";
  const QString present = Path("ttyS1");
  WriteFileBytes(present, QByteArray());
  kivnvm_.WriteSettings("[Link]\nCOM2=" + present.toUtf8() + "\n");
  phone_->ClearJournal();

  TKivnvmRun run = kivnvm_.Run({"link", "--test", "--port", "COM1", "--serial", "COM1=" + missing});
  QCOMPARE(run.ExitCode, 1);
  const QStringList lines = run.OutLines();
  QVERIFY2(lines.contains("COM1: " + missing + " (" + missingText + ")"), qPrintable(run.Out));
  QVERIFY2(lines.contains("COM2: " + present + " (present, may be opened)"), qPrintable(run.Out));
  QVERIFY2(run.Out.contains("Link test on COM1: GBP Error: Can't open port! (COM1, from --port)\n"
                            "kivnvm: " +
                            missingText),
           qPrintable(run.Out));

  run = kivnvm_.Run({"link", "--json", "--serial", "com1=" + missing});
  const QJsonArray serial = QJsonDocument::fromJson(run.OutBytes).object()["serial"].toArray();
  QCOMPARE(serial.size(), 2);
  QCOMPARE(serial[0].toObject()["problem"].toString(), missingText);
  QCOMPARE(serial[1].toObject()["ready"].toBool(), true);

  // A phone command: the library's message first, what to do on the next line.
  run = kivnvm_.Run({"list", "--port", "COM1", "--serial", "COM1=" + missing});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.startsWith("kivnvm: GBP Error: Can't open port! (COM1, from --port)\n"
                              "kivnvm: " +
                              missingText),
           qPrintable(run.Err));
  QVERIFY(phone_->Journal().isEmpty());

  for (const char* bad : {"COM5=/dev/ttyS0", "COM1=", "/dev/ttyUSB0"}) {
    run = kivnvm_.Run({"list", "--serial", bad});
    QCOMPARE(run.ExitCode, 2);
    QVERIFY2(run.Err.contains("--serial takes COMn=DEVICE"), qPrintable(run.Err));
  }
  kivnvm_.WriteSettings(QByteArray());
}

QTEST_GUILESS_MAIN(TestKivnvmLink)
#include "test_kivnvm_link.moc"
