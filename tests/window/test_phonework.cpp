// The window's long phone work: backup and restore of the whole phone, and a window that
// stays alive, cancels between sections and closes only after the phone call under way.

#include <QDir>
#include <QTimer>
#include <QtTest>

#include "app/workpanel.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/support/windowtest.h"
#include "transfer/ui/restorepreview.h"

namespace {

// A varied phone: programs, a GIF, the preferences record; 18-10 and 2-12 empty.
void FillPhone(TVirtualPhone& phone) {
  phone.Put(18, 9, Program(3000, "Calc"));
  phone.Put(18, 11, NumberedBytes(8000));
  phone.Put(18, 15, Program(3384, "Notes"));
  phone.Put(2, 11, QByteArray("GIF89a") + QByteArray(500, '\1'));
  phone.Put(2, 18, PrefRecord({3, 0, 17, 2, 0, 0, 0, 0}));
}

QList<QPair<QString, QByteArray>> PhoneContent(const TVirtualPhone& phone) {
  QList<QPair<QString, QByteArray>> content;
  for (const QString& name : QDir(phone.PortDir()).entryList(QDir::Files, QDir::Name))
    content << qMakePair(
        name, phone.Get(name.section('-', 0, 0).toInt(), name.section('-', 1, 1).toInt()));
  return content;
}

// Answers the restore's preview with OK, keeping its lines, each with "shown" or "folded"
// after it, and its count first.
TScriptedModal::TDialogScript ConfirmPreview(QList<QStringList>& lines) {
  return [&lines](QDialog* dialog) {
    const auto* preview = qobject_cast<TRestorePreview*>(dialog);
    if (preview)
      lines << QStringList{preview->Count()};
    for (int i = 0; preview && i < preview->LineCount(); ++i)
      lines << preview->Line(i) + QStringList{preview->LineShown(i) ? "shown" : "folded"};
    return int(mrOk);
  };
}

}  // namespace

class TestPhoneWork : public TWindowTest {
  Q_OBJECT
 private slots:
  void windowBackupRestoresByteForByteWithKivnvm();
  void kivnvmBackupRestoresInTheWindowWithPreview();
  void summariesShowAFolderAsNamed();
  void backupNamesWhatItCouldNotRead();
  void backupInDoubtClearsOnlyWhenTicked();
  void tamperedBackupWritesNothing();
  void declinedPreviewEndsTheRestore();
  void restoreGoesOnAfterAFailedSection_data();
  void restoreGoesOnAfterAFailedSection();
  void windowStaysAliveDuringATransfer();
  void fullRefreshCancelsBetweenSections();
  void closingWaitsForTheTransfer();
  void crashDuringFullRefreshIsToldAndTheWindowGoesOn();

 private:
  QString Folder(const QString& name) const { return fixture_->FilePath(name); }
  void BackUpInWindow(const QString& folder) {
    fixture_->Modal.FolderNames.enqueue(folder);
    fixture_->Run(&TForm1::BackupActionExecute);
  }
  void RestoreInWindow(const QString& folder, QList<QStringList>& preview) {
    fixture_->Modal.FolderNames.enqueue(folder);
    fixture_->Modal.DialogScripts.enqueue(ConfirmPreview(preview));
    fixture_->Run(&TForm1::RestoreActionExecute);
  }
};

void TestPhoneWork::windowBackupRestoresByteForByteWithKivnvm() {
  FillPhone(fixture_->Phone);
  const auto before = PhoneContent(fixture_->Phone);
  BackUpInWindow(Folder("b"));
  QVERIFY2(fixture_->LastBox().Text.startsWith("Backed up 29 of 29 sections (14902 bytes) into "),
           qPrintable(fixture_->LastBox().Text));
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("Back up phone"));
  for (const auto& section : before)
    fixture_->Phone.Remove(section.first.section('-', 0, 0).toInt(),
                           section.first.section('-', 1).toInt());
  fixture_->Phone.Put(18, 10, NumberedBytes(50));  // held now, empty in the backup
  const TKivnvmRun run = TKivnvm().Run({"restore", Folder("b")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(PhoneContent(fixture_->Phone), before);
}

void TestPhoneWork::kivnvmBackupRestoresInTheWindowWithPreview() {
  FillPhone(fixture_->Phone);
  const auto before = PhoneContent(fixture_->Phone);
  QCOMPARE(TKivnvm().Run({"backup", Folder("k")}).ExitCode, 0);
  fixture_->Phone.Put(18, 9, Program(100, "Other"));
  fixture_->Phone.Remove(2, 11);
  fixture_->Phone.Put(18, 10, NumberedBytes(50));
  QList<QStringList> preview;
  RestoreInWindow(Folder("k"), preview);
  QCOMPARE(PhoneContent(fixture_->Phone), before);
  QCOMPARE(preview.takeFirst(), QStringList{"2 to write, 1 to clear, 26 unchanged"});
  QCOMPARE(preview.size(), 29);
  // The changes lead, clears first; each line: address, phone now, backup, action, shown.
  QCOMPARE(preview[0], (QStringList{"18-10", "< Data >, 50 bytes", "empty", "clear", "shown"}));
  QCOMPARE(preview[1].mid(3), (QStringList{"write", "shown"}));
  QCOMPARE(preview[2].mid(3), (QStringList{"write", "shown"}));
  for (const QStringList& l : preview.mid(3))
    QCOMPARE(l.mid(3), (QStringList{"unchanged", "folded"}));
  const auto line = [&](const QString& address) {
    for (const QStringList& l : preview)
      if (l.at(0) == address)
        return l;
    return QStringList();
  };
  QCOMPARE(line("18-9").at(1), QStringLiteral("Other, 100 bytes, UFIF 2"));
  QCOMPARE(line("18-9").at(2), QStringLiteral("Calc, 3000 bytes, UFIF 2"));
  QCOMPARE(line("18-9").at(3), QStringLiteral("write"));
  QCOMPARE(line("2-11").at(1), QStringLiteral("empty"));
  QCOMPARE(line("18-15").at(3), QStringLiteral("unchanged"));
  QVERIFY(fixture_->LastBox().Text.startsWith("Restored from "));
  QVERIFY(fixture_->LastBox().Text.contains(": 2 written, 1 cleared, 26 unchanged, 0 failed."));
  // The rows of the restored sections show what the phone holds now.
  QCOMPARE(Slots()[1].Caption, QStringLiteral("Calc"));
  QCOMPARE(Slots()[2].Kind, skEmpty);
}

void TestPhoneWork::summariesShowAFolderAsNamed() {
  FillPhone(fixture_->Phone);
  // A % in a folder's name is no placeholder of the summary.
  const QString folder = Folder("100%2 %1 kept");
  BackUpInWindow(folder);
  QVERIFY2(fixture_->LastBox().Text.startsWith(
               QStringLiteral("Backed up 29 of 29 sections (14902 bytes) into %1.\nMade through "
                              "the demo phone (")
                   .arg(folder)),
           qPrintable(fixture_->LastBox().Text));
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Message);
  QCOMPARE(fixture_->Status(), QStringLiteral("Backed up!"));
  QList<QStringList> preview;
  RestoreInWindow(folder, preview);
  QCOMPARE(fixture_->LastBox().Text,
           QStringLiteral("Restored from %1: 0 written, 0 cleared, 29 unchanged, 0 failed.")
               .arg(folder));
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Message);
  QCOMPARE(fixture_->Status(), QStringLiteral("Restored!"));
}

void TestPhoneWork::backupNamesWhatItCouldNotRead() {
  FillPhone(fixture_->Phone);
  fixture_->Phone.SetFaults("read 18-15=-5");
  BackUpInWindow(Folder("b"));
  // A failed read ends the backup: after it the phone may answer anything.
  QVERIFY(fixture_->LastBox().Text.startsWith("Backed up 6 of 29 sections"));
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Warning);
  QCOMPARE(fixture_->Status(), QStringLiteral("Backup incomplete: 6 of 29 sections"));
  QVERIFY(fixture_->LastBox().Text.contains(
      "Not read: 18-15 (Error reading section 18-15)\nThe link was lost at section 18-15 (Error "
      "reading section 18-15): the 22 sections after it were not read."));
  const QByteArray manifest = ReadFileBytes(Folder("b") + "/manifest.json");
  QVERIFY(manifest.contains("\"missing\": true"));
  QVERIFY(manifest.contains("\"check\": \"incomplete\""));
  QVERIFY(!QFile::exists(Folder("b") + "/18-15"));
}

// A backup that missed 18-15 records 18-10 and the preferences as empty: its restore clears
// them only once the preview's box is ticked, and says that the record is missing.
void TestPhoneWork::backupInDoubtClearsOnlyWhenTicked() {
  FillPhone(fixture_->Phone);
  fixture_->Phone.Remove(2, 18);
  fixture_->Phone.SetFaults("size 18-15=-5");
  BackUpInWindow(Folder("b"));
  // The words agree with the preview, which offers to clear only what holds something now.
  QVERIFY(fixture_->LastBox().Text.endsWith(
      "leaves the sections it records as empty as they are; its preview offers to clear those "
      "that hold something."));
  fixture_->Phone.SetFaults(QString());
  fixture_->Phone.Put(18, 10, NumberedBytes(50));
  fixture_->Phone.Put(2, 18, PrefRecord({3, 0, 17, 2, 0, 0, 0, 0}));
  QStringList seen;
  fixture_->Modal.FolderNames.enqueue(Folder("b"));
  fixture_->Modal.DialogScripts.enqueue([&](QDialog* dialog) {
    auto* preview = qobject_cast<TRestorePreview*>(dialog);
    seen = preview->Notes() << preview->Count();
    preview->SetClearRecordedEmpty(!preview->ClearRecordedEmpty());
    seen << preview->Count();
    return int(mrOk);
  });
  fixture_->Run(&TForm1::RestoreActionExecute);
  QCOMPARE(seen.size(), 4);
  QVERIFY2(
      seen[0].startsWith("The backup is incomplete: 1 of its 29 sections were not read (18-15: "),
      qPrintable(seen[0]));
  QCOMPARE(seen[1], QStringLiteral("Note: this backup holds no preferences record (2-18 was "
                                   "empty)."));
  QCOMPARE(seen[2], QStringLiteral("0 to write, 0 to clear, 26 unchanged, 3 left alone"));
  QCOMPARE(seen[3], QStringLiteral("0 to write, 2 to clear, 26 unchanged, 1 left alone"));
  QVERIFY(!fixture_->Phone.Holds(18, 10) && !fixture_->Phone.Holds(2, 18));
}

void TestPhoneWork::tamperedBackupWritesNothing() {
  FillPhone(fixture_->Phone);
  BackUpInWindow(Folder("b"));
  WriteFileBytes(Folder("b") + "/18-11", NumberedBytes(7999) + "x");
  fixture_->Phone.Put(18, 11, NumberedBytes(10));
  fixture_->Phone.ClearJournal();
  fixture_->Modal.FolderNames.enqueue(Folder("b"));
  fixture_->Run(&TForm1::RestoreActionExecute);
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Error);
  QVERIFY(fixture_->LastBox().Text.contains(Folder("b") + "/18-11 does not match its SHA-256"));
  QCOMPARE(fixture_->Phone.Calls("InitGBPMode"), 0);
  QCOMPARE(fixture_->Phone.Get(18, 11), NumberedBytes(10));
}

// The restore ends with its own status, so that "Checking backup..." never stands beside a
// later command.
void TestPhoneWork::declinedPreviewEndsTheRestore() {
  FillPhone(fixture_->Phone);
  BackUpInWindow(Folder("b"));
  fixture_->Phone.Put(18, 11, NumberedBytes(10));
  fixture_->Modal.FolderNames.enqueue(Folder("b"));
  fixture_->Modal.DialogScripts.enqueue([](QDialog*) { return int(mrCancel); });
  fixture_->Run(&TForm1::RestoreActionExecute);
  QCOMPARE(fixture_->Status(), QStringLiteral("Restore cancelled!"));
  QCOMPARE(fixture_->Phone.Get(18, 11), NumberedBytes(10));
}

void TestPhoneWork::restoreGoesOnAfterAFailedSection_data() {
  QTest::addColumn<QString>("faults");
  QTest::addColumn<qint64>("capacity");
  QTest::addColumn<QString>("problem");
  QTest::newRow("truncated") << "write 18-11=truncate 100" << qint64(0)
                             << "Not restored: 18-11 (the phone holds 100 of the 8000 bytes "
                                "written: the section now holds neither the old nor the new "
                                "content)";
  QTest::newRow("phone full") << "" << qint64(12000)
                              << "Not restored: 18-11 (the phone refused the write (GBP Error: "
                                 "No Memory!))";
}

void TestPhoneWork::restoreGoesOnAfterAFailedSection() {
  QFETCH(QString, faults);
  QFETCH(qint64, capacity);
  QFETCH(QString, problem);
  FillPhone(fixture_->Phone);
  BackUpInWindow(Folder("b"));
  fixture_->Phone.Remove(18, 11);
  fixture_->Phone.Put(18, 9, Program(10, "x"));
  fixture_->Phone.SetFaults(faults);
  if (capacity > 0)
    fixture_->Phone.SetCapacity(capacity);
  QList<QStringList> preview;
  RestoreInWindow(Folder("b"), preview);
  QVERIFY2(fixture_->LastBox().Text.contains(problem), qPrintable(fixture_->LastBox().Text));
  QVERIFY(fixture_->LastBox().Text.contains("1 written"));
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Warning);
  QCOMPARE(fixture_->Status(), QStringLiteral("Restored 28 of 29; 1 not restored"));
  QCOMPARE(fixture_->Phone.Get(18, 9), Program(3000, "Calc"));
}

void TestPhoneWork::windowStaysAliveDuringATransfer() {
  qputenv("GBP_BAUD", "9600");  // 1,000 bytes take about a second each way
  int ticks = 0;
  QTimer timer;
  connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(50);
  fixture_->Modal.OpenFileNames.enqueue(fixture_->PutFile("p.bin", PlainData(1000)));
  Window().RunCommand([this] { Window().UploadActionExecute(); });
  QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
  QCOMPARE(fixture_->Phone.Get(18, 9), PlainData(1000));
  QCOMPARE(fixture_->LastBox().Text, QStringLiteral("Section uploaded sucsessfully!"));
}

void TestPhoneWork::fullRefreshCancelsBetweenSections() {
  FillPhone(fixture_->Phone);
  qputenv("GBP_BAUD", "9600");
  // The user presses Cancel while the phone answers the first size query.
  QTimer cancel;
  connect(&cancel, &QTimer::timeout, [&] {
    if (fixture_->Phone.Calls("GetNVMFileSize") > 0)
      Window().Work().RequestCancel();
  });
  cancel.start(0);
  Window().RunCommand([this] { Window().Button1Click(); });
  // The first section was refreshed; the rows after the cancel keep their records.
  QCOMPARE(Slots()[1].Caption, QStringLiteral("Calc"));
  QCOMPARE(Slots()[3].Kind, skEmpty);
  QCOMPARE(fixture_->Phone.Calls("GetNVMFileSize"), 1);
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

void TestPhoneWork::closingWaitsForTheTransfer() {
  Window().show();
  qputenv("GBP_BAUD", "9600");
  fixture_->Modal.OpenFileNames.enqueue(fixture_->PutFile("p.bin", PlainData(1000)));
  QTimer::singleShot(200, [this] { Window().close(); });
  Window().RunCommand([this] { Window().UploadActionExecute(); });
  QVERIFY(!Window().isVisible());
  QCOMPARE(fixture_->Phone.Get(18, 9), PlainData(1000));
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
  QVERIFY(QFile::exists(TManagerFixture::SettingsPath()));
}

void TestPhoneWork::crashDuringFullRefreshIsToldAndTheWindowGoesOn() {
  fixture_.reset();
  fixture_ = std::make_unique<TManagerFixture>(TManagerFixture::Loaded, "[Link]\nIsolate=true\n");
  FillPhone(fixture_->Phone);
  fixture_->Phone.SetFaults("size 18-11=crash");
  Window().RunCommand([this] { Window().Button1Click(); });
  QCOMPARE(fixture_->Modal.ShownTexts(),
           (QStringList{"The phone-link library stopped during GetNVMFileSize 18-11 (signal 11).",
                        "Error getting section 18-11 size", "Update done!"}));
  QCOMPARE(Slots()[1].Caption, QStringLiteral("Calc"));
  // The rows after it were never read, and say so.
  QCOMPARE(Slots()[4].Caption, QStringLiteral("(not read)"));
  // The next refresh starts a fresh host and reaches every row.
  fixture_->Phone.SetFaults(QString());
  fixture_->Modal.Clear();
  Window().RunCommand([this] { Window().Button1Click(); });
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Update done!"});
  QCOMPARE(Slots()[3].Size, 8000);
  QCOMPARE(Slots()[7].Caption, QStringLiteral("Notes"));
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

QTEST_MAIN(TestPhoneWork)
#include "test_phonework.moc"
