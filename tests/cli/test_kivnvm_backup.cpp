// kivnvm's backup and restore against the virtual phone and its faults: the round trip, the
// folder and the manifest, progress, a tampered or partial backup, the phone's refusals, and
// a backup killed half-way.

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include "common/bytes.h"
#include "tests/cli/kivnvmphonetest.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/support/virtualphone.h"

namespace {

// Every section file of a port folder, by name.
QMap<QString, QByteArray> PortContent(const QString& portDir) {
  QMap<QString, QByteArray> content;
  for (const QString& name : QDir(portDir).entryList(QDir::Files))
    content.insert(name, ReadFileBytes(QDir(portDir).filePath(name)));
  return content;
}

QByteArray Sha256Hex(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The manifest with entry in place of the one of the same address, or added after the rest.
void PutManifestEntry(const QString& manifestPath, const QByteArray& entryJson) {
  QJsonObject manifest = QJsonDocument::fromJson(ReadFileBytes(manifestPath)).object();
  QJsonArray sections = manifest["sections"].toArray();
  const QJsonObject entry = QJsonDocument::fromJson(entryJson).object();
  int at = 0;
  while (at < sections.size() && sections[at].toObject()["address"] != entry["address"])
    ++at;
  if (at < sections.size())
    sections[at] = entry;
  else
    sections.append(entry);
  manifest["sections"] = sections;
  WriteFileBytes(manifestPath, QJsonDocument(manifest).toJson());
}

}  // namespace

class TestKivnvmBackup : public TKivnvmPhoneTest {
  Q_OBJECT
 private Q_SLOTS:
  void backupThenRestoreOntoAnEmptiedPhone();
  void backupRefusesAFolderInUse();
  void backupNamesTheMissingSection();
  void lostLinkIsNeverRecordedEmpty_data();
  void lostLinkIsNeverRecordedEmpty();
  void progressOnlyWhenAsked();
  void restoreRefusesATamperedBackup_data();
  void restoreRefusesATamperedBackup();
  void restoreSaysWhatThePhoneAnswered_data();
  void restoreSaysWhatThePhoneAnswered();
  void killedBackupLeavesNoManifest();
  void restoreDryRunWritesNothing();
  void restoreOnlySomeSections();
  void restoreWritesNothingAfterAShortRead();

 private:
  void BackUpDemoPhone();
};

void TestKivnvmBackup::BackUpDemoPhone() {
  MakeDemoPhone();
  const TKivnvmRun run = kivnvm_.Run({"backup", Path("backup")});
  QCOMPARE(run.ExitCode, 0);
  phone_->ClearJournal();
}

void TestKivnvmBackup::backupThenRestoreOntoAnEmptiedPhone() {
  BackUpDemoPhone();
  const QMap<QString, QByteArray> original = PortContent(phone_->PortDir());
  QCOMPARE(original.size(), 19);

  const QJsonObject manifest =
      QJsonDocument::fromJson(ReadFileBytes(Path("backup/manifest.json"))).object();
  QCOMPARE(manifest["port"].toString(), QStringLiteral("COM1"));
  QCOMPARE(manifest["check"].toString(), QStringLiteral("verified"));
  QVERIFY(!manifest.contains("check_reason"));
  // The demo phone beside kivnvm answered: the backup says so, and never passes for a phone's.
  QVERIFY(manifest["library"].toString().endsWith("libgbp.so"));
  QVERIFY(manifest["demo_phone"].toBool());
  QVERIFY(QDateTime::fromString(manifest["time"].toString(), Qt::ISODate).isValid());
  const QJsonArray sections = manifest["sections"].toArray();
  QCOMPARE(sections.size(), 26 + 3);
  for (const QJsonValue& value : sections) {
    const QJsonObject entry = value.toObject();
    const QString address = entry["address"].toString();
    if (original.contains(address)) {
      QCOMPARE(entry["size"].toInt(), original[address].size());
      QCOMPARE(entry["sha256"].toString().toLatin1(),
               QCryptographicHash::hash(original[address], QCryptographicHash::Sha256).toHex());
      QCOMPARE(ReadFileBytes(Path("backup/" + address)), original[address]);
    } else {
      QVERIFY2(entry["empty"].toBool(), qPrintable(address));
      QVERIFY(!QFile::exists(Path("backup/" + address)));
    }
  }

  // Wipe the phone, leave something where the backup holds nothing, and restore.
  for (const QString& name : original.keys())
    QFile::remove(QDir(phone_->PortDir()).filePath(name));
  phone_->Put(18, 16, "stray");
  const TKivnvmRun run = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(PortContent(phone_->PortDir()), original);
  QCOMPARE(phone_->Calls("InitGBPMode"), 1);
  QCOMPARE(phone_->Calls("WriteNVMFile"), 19);
  QCOMPARE(phone_->Calls("ClearNVMFile"), 1);

  // A second restore finds nothing to change.
  phone_->ClearJournal();
  QCOMPARE(kivnvm_.Run({"restore", Path("backup")}).ExitCode, 0);
  QCOMPARE(phone_->Calls("WriteNVMFile") + phone_->Calls("ClearNVMFile"), 0);
}

void TestKivnvmBackup::backupRefusesAFolderInUse() {
  QDir().mkpath(Path("used"));
  WriteFileBytes(Path("used/notes.txt"), "mine");
  TKivnvmRun run = kivnvm_.Run({"backup", Path("used")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(run.Err.contains("not empty"));
  QCOMPARE(QDir(Path("used")).entryList(QDir::Files), QStringList{"notes.txt"});
  QCOMPARE(phone_->Calls("InitGBPMode"), 0);

  // A backup that cannot open the link leaves no folder behind.
  run = kivnvm_.Run({"backup", "--port", "COM4", Path("new")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(!QFile::exists(Path("new")));
}

void TestKivnvmBackup::backupNamesTheMissingSection() {
  MakeDemoPhone();
  // A size answer of -5 tells nothing: the program in 18-15 must survive a restore.
  phone_->SetFaults("size 18-11=-7; size 18-15=-5; read 2-17=-5");
  const TKivnvmRun run = kivnvm_.Run({"backup", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(run.Err.contains(
      "Section 18-11 is missing from the backup: Error getting section 18-11 size"));
  QVERIFY2(run.Err.contains("Section 18-15 is missing from the backup: Section 18-15: the phone "
                            "did not tell what it holds (size answer -5)"),
           qPrintable(run.Err));
  QVERIFY(run.Err.contains("Section 2-17 is missing from the backup: Error reading section 2-17"));
  QVERIFY(run.Err.contains("Backed up 25 of 29 sections"));
  const QJsonArray sections = QJsonDocument::fromJson(ReadFileBytes(Path("backup/manifest.json")))
                                  .object()["sections"]
                                  .toArray();
  QStringList missing;
  for (const QJsonValue& value : sections) {
    if (value.toObject()["missing"].toBool())
      missing << value.toObject()["address"].toString();
  }
  // A failed read ends the backup: the link is not trusted after it.
  QCOMPARE(missing, QStringList({"18-11", "18-15", "2-17", "2-18"}));
  QVERIFY(!QFile::exists(Path("backup/18-11")));
  QVERIFY(QFile::exists(Path("backup/18-12")));

  // Restoring it writes what it holds and says that the missing ones were left alone.
  phone_->SetFaults(QString());
  phone_->Remove(18, 12);
  const TKivnvmRun restore = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(restore.ExitCode, 1);
  QVERIFY(restore.Err.contains("Section 18-11 is missing from the backup"));
  QVERIFY(restore.Err.contains("Section 18-15 is missing from the backup"));
  QVERIFY(restore.Err.contains("4 failed"));
  QVERIFY(phone_->Holds(18, 12));
  QVERIFY(phone_->Holds(18, 15));
  QCOMPARE(phone_->Calls("ClearNVMFile"), 0);
}

void TestKivnvmBackup::lostLinkIsNeverRecordedEmpty_data() {
  QTest::addColumn<QString>("faults");  // none: the port's folder goes away during the backup
  QTest::newRow("no bytes read") << "read 18-17=0";
  QTest::newRow("fewer bytes read") << "read 18-17=claim 100";
  QTest::newRow("port folder removed") << "";
}

void TestKivnvmBackup::lostLinkIsNeverRecordedEmpty() {
  QFETCH(QString, faults);
  MakeDemoPhone();
  const QMap<QString, QByteArray> original = PortContent(phone_->PortDir());
  phone_->SetFaults(faults);
  if (faults.isEmpty())
    qputenv("GBP_BAUD", "38400");
  QProcess backup;
  backup.start(QDir(kivnvm_.Dir()).filePath("kivnvm"), {"backup", Path("backup")});
  const QString away = phone_->PortDir() + ".away";
  if (faults.isEmpty() && QTest::qWaitFor([this] { return phone_->Calls("ReadNVMFile") > 0; }))
    QDir().rename(phone_->PortDir(), away);
  QVERIFY(backup.waitForFinished(60000));
  QDir().rename(away, phone_->PortDir());
  qunsetenv("GBP_BAUD");
  phone_->SetFaults(QString());
  QCOMPARE(backup.exitCode(), 1);
  const QString err = QString::fromUtf8(backup.readAllStandardError());
  const QJsonObject manifest =
      QJsonDocument::fromJson(ReadFileBytes(Path("backup/manifest.json"))).object();
  QCOMPARE(manifest["check"].toString(), QStringLiteral("incomplete"));
  QVERIFY2(manifest["check_reason"].toString().startsWith("The backup is incomplete: "),
           qPrintable(manifest["check_reason"].toString()));
  QVERIFY2(err.trimmed().section('\n', -1).startsWith("kivnvm: Backup incomplete: "),
           qPrintable(err));
  QVERIFY(!err.contains("; verified"));
  // From the first section not read on, all are missing; none that holds something is empty.
  QStringList empty;
  bool cut = false;
  for (const QJsonValue& value :
       QJsonDocument::fromJson(ReadFileBytes(Path("backup/manifest.json")))
           .object()["sections"]
           .toArray()) {
    const QString address = value.toObject()["address"].toString();
    cut = cut || value.toObject()["missing"].toBool() || address == "18-17";
    QVERIFY2(!cut || value.toObject()["missing"].toBool(), qPrintable(address));
    if (value.toObject()["empty"].toBool())
      empty << address;
  }
  // Something now where the backup records nothing is cleared only when asked.
  for (const QString& address : empty) {
    QVERIFY(!original.contains(address));
    phone_->Put(address.section('-', 0, 0).toInt(), address.section('-', 1).toInt(), "stray");
  }
  phone_->ClearJournal();
  QCOMPARE(kivnvm_.Run({"restore", Path("backup")}).ExitCode, 1);
  QCOMPARE(phone_->Calls("ClearNVMFile"), 0);
  QCOMPARE(kivnvm_.Run({"restore", "--clear-missing", Path("backup")}).ExitCode, 1);
  QCOMPARE(PortContent(phone_->PortDir()), original);
}

void TestKivnvmBackup::progressOnlyWhenAsked() {
  MakeDemoPhone();
  // The tests' stderr is no terminal: quiet unless asked.
  TKivnvmRun run = kivnvm_.Run({"backup", Path("quiet")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY2(!run.Err.contains("section 1 of"), qPrintable(run.Err));

  run = kivnvm_.Run({"backup", "--progress", Path("shown")});
  QCOMPARE(run.ExitCode, 0);
  const QStringList steps =
      run.Err.split('\n').filter(QRegularExpression("^kivnvm: section \\d+ of 29 "));
  QCOMPARE(steps.size(), 29);
  QCOMPARE(steps[0], QStringLiteral("kivnvm: section 1 of 29 (18-9), 0 bytes"));
  const qint64 first = phone_->Get(18, 9).size();
  QCOMPARE(steps[1], QStringLiteral("kivnvm: section 2 of 29 (18-10), %1 bytes").arg(first));
  QVERIFY(steps[28].startsWith("kivnvm: section 29 of 29 (2-18), "));

  phone_->Remove(18, 9);
  run = kivnvm_.Run({"restore", "--progress", "--only", "18-9,18-10", Path("shown")});
  QCOMPARE(run.ExitCode, 0);
  // 18-10 is unchanged and goes first, before 18-9 grows.
  QVERIFY2(run.Err.contains("kivnvm: section 1 of 2 (18-10), 0 bytes\nkivnvm: section 2 of 2 "
                            "(18-9), 0 bytes"),
           qPrintable(run.Err));

  // get and put: the running time of the one long transfer, never a percentage.
  qputenv("GBP_BAUD", "9600");
  phone_->Put(18, 20, QByteArray(1500, 'g'));
  run = kivnvm_.Run({"get", "18-20", Path("got")});
  QVERIFY2(!run.Err.contains("reading"), qPrintable(run.Err));
  run = kivnvm_.Run({"get", "--progress", "18-20", Path("got")});
  QVERIFY2(run.Err.contains("kivnvm: reading 18-20\nkivnvm: reading 18-20: 1 s\n"),
           qPrintable(run.Err));
  QVERIFY2(run.Err.contains(QRegularExpression("kivnvm: read 18-20: 1500 bytes in 1\\.\\d s\n")),
           qPrintable(run.Err));
  run = kivnvm_.Run({"put", "--progress", "18-21", Path("got")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY2(run.Err.contains("kivnvm: writing 18-21\n"), qPrintable(run.Err));
  QVERIFY2(run.Err.contains("kivnvm: wrote and checked 18-21: 1500 bytes in "),
           qPrintable(run.Err));
  qunsetenv("GBP_BAUD");
}

void TestKivnvmBackup::restoreRefusesATamperedBackup_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QByteArray>("entry");  // put into the manifest when given
  const QByteArray big(3000, 'b');
  QTest::newRow("section outside the backup")
      << "" << QByteArray() << "Section 0-0 is not one a backup holds"
      << QByteArray(R"({"address": "0-0", "empty": true})");
  QTest::newRow("stored outside the backup")
      << "5-5" << QByteArray("abc") << "Section 5-5 is not one a backup holds"
      << R"({"address": "5-5", "size": 3, "sha256": ")" + Sha256Hex("abc") + "\"}";
  QTest::newRow("more than the small slot takes")
      << "2-10" << big << "Section 2-10 holds 3000 bytes in the backup, more than its slot "
      << R"({"address": "2-10", "size": 3000, "sha256": ")" + Sha256Hex(big) + "\"}";
  QTest::newRow("empty with a hash")
      << "" << QByteArray() << "section 18-16 is both empty and stored"
      << R"({"address": "18-16", "empty": true, "size": 0, "sha256": ")" + Sha256Hex("") + "\"}";
  QTest::newRow("listed twice") << "" << QByteArray() << "section 18-9 is listed twice"
                                << QByteArray(R"({"address": "18-09", "empty": true})");
  QTest::newRow("changed byte") << "18-13" << QByteArray() << "does not match its SHA-256"
                                << QByteArray();
  QTest::newRow("file gone") << "2-16" << QByteArray("-") << "Cannot open file" << QByteArray();
  QTest::newRow("manifest damaged")
      << "manifest.json" << QByteArray("{\"sections\": [{\"address\": \"18-300\"}]}")
      << "manifest is damaged" << QByteArray();
  QTest::newRow("manifest not JSON")
      << "manifest.json" << QByteArray("not json") << "manifest is damaged" << QByteArray();
  QTest::newRow("linked file") << "18-13" << QByteArray("@") << "18-13 is a symbolic link"
                               << QByteArray();
}

void TestKivnvmBackup::restoreRefusesATamperedBackup() {
  QFETCH(QString, file);
  QFETCH(QByteArray, content);
  QFETCH(QString, message);
  QFETCH(QByteArray, entry);
  BackUpDemoPhone();
  const QString path = Path("backup/" + file);
  if (!entry.isEmpty()) {
    PutManifestEntry(Path("backup/manifest.json"), entry);
    if (!file.isEmpty())
      WriteFileBytes(path, content);
  } else if (content == "@") {
    // A link to a file outside the folder with the very bytes the manifest expects.
    QFile::rename(path, Path("outside"));
    QVERIFY(QFile::link(Path("outside"), path));
  } else if (content.isEmpty()) {
    QByteArray bytes = ReadFileBytes(path);
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
    WriteFileBytes(path, bytes);
  } else if (content == "-") {
    QFile::remove(path);
  } else {
    WriteFileBytes(path, content);
  }
  phone_->Remove(18, 9);  // a section the restore would otherwise write
  const TKivnvmRun run = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
  QCOMPARE(phone_->Calls("WriteNVMFile"), 0);
  QCOMPARE(phone_->Calls("ClearNVMFile"), 0);
  QVERIFY(!phone_->Holds(18, 9));
}

void TestKivnvmBackup::restoreSaysWhatThePhoneAnswered_data() {
  QTest::addColumn<QString>("fault");
  QTest::addColumn<QString>("answer");
  QTest::newRow("refused") << "write 18-9=-6"
                           << "the phone refused the write (GBP Error: No Memory!)";
  QTest::newRow("not taken") << "write 18-9=truncate 0"
                             << "the phone did not take the section (out of memory or refused)";
  QTest::newRow("truncated") << "write 18-9=truncate 100"
                             << "the phone holds 100 of the 3200 bytes written: the section now "
                                "holds neither the old nor the new content";
}

// A failed section is named with the phone's answer and the restore goes on with the rest.
void TestKivnvmBackup::restoreSaysWhatThePhoneAnswered() {
  QFETCH(QString, fault);
  QFETCH(QString, answer);
  BackUpDemoPhone();
  for (int subsection : {9, 10, 11})
    phone_->Remove(18, subsection);
  phone_->SetFaults(fault + "; write 18-11=-5");
  const TKivnvmRun run = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("Section 18-9 not restored: " + answer), qPrintable(run.Err));
  QVERIFY(run.Err.contains(
      "Section 18-11 not restored: the phone refused the write (GBP Error: COMM Error!)"));
  QVERIFY(run.Err.contains("2 failed"));
  QVERIFY(!run.Out.contains("wrote 18-9"));
  QVERIFY(run.Out.contains("wrote 18-10 (2400 bytes)"));
  QCOMPARE(phone_->Get(18, 10), ReadFileBytes(Path("backup/18-10")));
}

// Killed half-way, a backup leaves nothing at the target that a restore would take.
void TestKivnvmBackup::killedBackupLeavesNoManifest() {
  MakeDemoPhone();
  qputenv("GBP_BAUD", "19200");
  QProcess backup;
  backup.start(QDir(kivnvm_.Dir()).filePath("kivnvm"), {"backup", Path("target")});
  QVERIFY(backup.waitForStarted());
  const auto sectionsWritten = [this] {
    const QStringList partial =
        work_->path().isEmpty()
            ? QStringList()
            : QDir(work_->path()).entryList({".target.partial-*"}, QDir::Dirs | QDir::Hidden);
    return !partial.isEmpty() && QDir(Path(partial[0])).entryList(QDir::Files).size() >= 2;
  };
  QTRY_VERIFY_WITH_TIMEOUT(sectionsWritten(), 20000);
  backup.kill();
  backup.waitForFinished();
  qunsetenv("GBP_BAUD");
  QVERIFY(!QFile::exists(Path("target/manifest.json")));
  QVERIFY(!QFile::exists(Path("target")));
  const TKivnvmRun restore = kivnvm_.Run({"restore", Path("target")});
  QCOMPARE(restore.ExitCode, 1);
  QCOMPARE(phone_->Calls("WriteNVMFile") + phone_->Calls("ClearNVMFile"), 0);
}

void TestKivnvmBackup::restoreDryRunWritesNothing() {
  BackUpDemoPhone();
  phone_->Remove(18, 9);
  phone_->Put(18, 10, "changed");
  phone_->Put(18, 16, "stray");
  const QMap<QString, QByteArray> before = PortContent(phone_->PortDir());
  const TKivnvmRun run = kivnvm_.Run({"restore", "--dry-run", Path("backup")});
  QCOMPARE(run.ExitCode, 0);
  // What frees room first, then what grows, the least first.
  QCOMPARE(run.OutLines(), QStringList({"would clear 18-16", "would write 18-10 (2400 bytes)",
                                        "would write 18-9 (3200 bytes)"}));
  QCOMPARE(phone_->Calls("WriteNVMFile"), 0);
  QCOMPARE(phone_->Calls("ClearNVMFile"), 0);
  QCOMPARE(PortContent(phone_->PortDir()), before);
}

void TestKivnvmBackup::restoreOnlySomeSections() {
  BackUpDemoPhone();
  phone_->Remove(18, 9);
  phone_->Remove(2, 10);
  phone_->Remove(2, 18);
  TKivnvmRun run = kivnvm_.Run({"restore", "--only", "18-09,02-10", Path("backup")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY(phone_->Holds(18, 9));
  QVERIFY(phone_->Holds(2, 10));
  QVERIFY(!phone_->Holds(2, 18));
  QCOMPARE(phone_->Calls("WriteNVMFile"), 2);

  run = kivnvm_.Run({"restore", "--only", "18-30", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(run.Err.contains("Section 18-30 is not in the backup"));
}

// A read of what the phone holds that comes back short is a lost link, as in a backup: that
// section and every one after it are left as they are.
void TestKivnvmBackup::restoreWritesNothingAfterAShortRead() {
  BackUpDemoPhone();
  phone_->Remove(18, 9);
  // Larger than any section of the backup, so its restore comes among the first.
  phone_->Put(18, 11, QByteArray(60000, 'z'));
  phone_->SetFaults("read 18-11=claim 7");
  const TKivnvmRun run = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("The link was lost at section 18-11"), qPrintable(run.Err));
  QVERIFY2(run.Err.trimmed().section('\n', -1).contains(
               QRegularExpression("^kivnvm: Restored \\d+ of 29; \\d+ not restored$")),
           qPrintable(run.Err));
  QVERIFY(!run.Err.contains("Restored:"));
  const QStringList journal = phone_->Journal();
  const auto shortRead = std::find_if(journal.begin(), journal.end(), [](const QString& line) {
    return line.startsWith("ReadNVMFile(18,11,");
  });
  QVERIFY(shortRead != journal.end());
  for (auto line = shortRead; line != journal.end(); ++line)
    QVERIFY2(!line->startsWith("WriteNVMFile") && !line->startsWith("ClearNVMFile"),
             qPrintable(*line));
  QCOMPARE(phone_->Get(18, 11), QByteArray(60000, 'z'));
  QVERIFY(!phone_->Holds(18, 9));
}

QTEST_MAIN(TestKivnvmBackup)
#include "test_kivnvm_backup.moc"
