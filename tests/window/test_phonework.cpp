// The window's long phone work: backup and restore of the whole phone, and a window that
// stays alive, cancels between sections and closes only after the phone call under way.

#include <QDir>
#include <QTimer>
#include <QtTest>

#include "app/workpanel.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/support/managerfixture.h"
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

class TestPhoneWork : public QObject {
  Q_OBJECT
 private slots:
  void init() { f = std::make_unique<TManagerFixture>(); }
  void cleanup() {
    if (f)
      QVERIFY2(f->Modal.Unexpected.isEmpty(), qPrintable(f->Modal.Unexpected.join('\n')));
    f.reset();
  }
  void windowBackupRestoresByteForByteWithKivnvm();
  void kivnvmBackupRestoresInTheWindowWithPreview();
  void backupNamesWhatItCouldNotRead();
  void tamperedBackupWritesNothing();
  void restoreGoesOnAfterAFailedSection_data();
  void restoreGoesOnAfterAFailedSection();
  void windowStaysAliveDuringATransfer();
  void fullRefreshCancelsBetweenSections();
  void closingWaitsForTheTransfer();
  void crashDuringFullRefreshIsToldAndTheWindowGoesOn();

 private:
  QString Folder(const QString& name) const { return f->FilePath(name); }
  void BackUpInWindow(const QString& folder) {
    f->Modal.FolderNames.enqueue(folder);
    f->Run(&TForm1::BackupActionExecute);
  }
  void RestoreInWindow(const QString& folder, QList<QStringList>& preview) {
    f->Modal.FolderNames.enqueue(folder);
    f->Modal.DialogScripts.enqueue(ConfirmPreview(preview));
    f->Run(&TForm1::RestoreActionExecute);
  }

  std::unique_ptr<TManagerFixture> f;
};

void TestPhoneWork::windowBackupRestoresByteForByteWithKivnvm() {
  FillPhone(f->Phone);
  const auto before = PhoneContent(f->Phone);
  BackUpInWindow(Folder("b"));
  QVERIFY2(f->LastBox().Text.startsWith("Backed up 29 of 29 sections (14902 bytes) into "),
           qPrintable(f->LastBox().Text));
  QCOMPARE(f->LastBox().Caption, QStringLiteral("Back up phone"));
  for (const auto& section : before)
    f->Phone.Remove(section.first.section('-', 0, 0).toInt(),
                    section.first.section('-', 1).toInt());
  f->Phone.Put(18, 10, NumberedBytes(50));  // held now, empty in the backup
  const TKivnvmRun run = TKivnvm().Run({"restore", Folder("b")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(PhoneContent(f->Phone), before);
}

void TestPhoneWork::kivnvmBackupRestoresInTheWindowWithPreview() {
  FillPhone(f->Phone);
  const auto before = PhoneContent(f->Phone);
  QCOMPARE(TKivnvm().Run({"backup", Folder("k")}).ExitCode, 0);
  f->Phone.Put(18, 9, Program(100, "Other"));
  f->Phone.Remove(2, 11);
  f->Phone.Put(18, 10, NumberedBytes(50));
  QList<QStringList> preview;
  RestoreInWindow(Folder("k"), preview);
  QCOMPARE(PhoneContent(f->Phone), before);
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
  QVERIFY(f->LastBox().Text.startsWith("Restored from "));
  QVERIFY(f->LastBox().Text.contains(": 2 written, 1 cleared, 26 unchanged, 0 failed."));
  // The rows of the restored sections show what the phone holds now.
  QCOMPARE(Form1->Slots[1].Caption, QStringLiteral("Calc"));
  QCOMPARE(Form1->Slots[2].Kind, skEmpty);
}

void TestPhoneWork::backupNamesWhatItCouldNotRead() {
  FillPhone(f->Phone);
  f->Phone.SetFaults("read 18-15=-5");
  BackUpInWindow(Folder("b"));
  QVERIFY(f->LastBox().Text.startsWith("Backed up 28 of 29 sections"));
  QVERIFY(f->LastBox().Text.contains("Not read: 18-15 (Error reading section 18-15)"));
  const QByteArray manifest = ReadFileBytes(Folder("b") + "/manifest.json");
  QVERIFY(manifest.contains("\"missing\": true"));
  QVERIFY(!QFile::exists(Folder("b") + "/18-15"));
}

void TestPhoneWork::tamperedBackupWritesNothing() {
  FillPhone(f->Phone);
  BackUpInWindow(Folder("b"));
  WriteFileBytes(Folder("b") + "/18-11", NumberedBytes(7999) + "x");
  f->Phone.Put(18, 11, NumberedBytes(10));
  f->Phone.ClearJournal();
  f->Modal.FolderNames.enqueue(Folder("b"));
  f->Run(&TForm1::RestoreActionExecute);
  QCOMPARE(f->LastBox().Kind, TShownBox::Error);
  QVERIFY(f->LastBox().Text.contains(Folder("b") + "/18-11 does not match its SHA-256"));
  QCOMPARE(f->Phone.Calls("InitGBPMode"), 0);
  QCOMPARE(f->Phone.Get(18, 11), NumberedBytes(10));
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
  FillPhone(f->Phone);
  BackUpInWindow(Folder("b"));
  f->Phone.Remove(18, 11);
  f->Phone.Put(18, 9, Program(10, "x"));
  f->Phone.SetFaults(faults);
  if (capacity > 0)
    f->Phone.SetCapacity(capacity);
  QList<QStringList> preview;
  RestoreInWindow(Folder("b"), preview);
  QVERIFY2(f->LastBox().Text.contains(problem), qPrintable(f->LastBox().Text));
  QVERIFY(f->LastBox().Text.contains("1 written"));
  QCOMPARE(f->Phone.Get(18, 9), Program(3000, "Calc"));
}

void TestPhoneWork::windowStaysAliveDuringATransfer() {
  qputenv("GBP_BAUD", "9600");  // 1,000 bytes take about a second each way
  int ticks = 0;
  QTimer timer;
  connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(50);
  f->Modal.OpenFileNames.enqueue(f->PutFile("p.bin", PlainData(1000)));
  Form1->RunCommand([] { Form1->UploadActionExecute(); });
  QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
  QCOMPARE(f->Phone.Get(18, 9), PlainData(1000));
  QCOMPARE(f->LastBox().Text, QStringLiteral("Section uploaded sucsessfully!"));
}

void TestPhoneWork::fullRefreshCancelsBetweenSections() {
  FillPhone(f->Phone);
  qputenv("GBP_BAUD", "9600");
  // The user presses Cancel while the phone answers the first size query.
  QTimer cancel;
  connect(&cancel, &QTimer::timeout, [&] {
    if (f->Phone.Calls("GetNVMFileSize") > 0)
      Form1->Work().RequestCancel();
  });
  cancel.start(0);
  Form1->RunCommand([] { Form1->Button1Click(); });
  // The first section was refreshed; the rows after the cancel keep their records.
  QCOMPARE(Form1->Slots[1].Caption, QStringLiteral("Calc"));
  QCOMPARE(Form1->Slots[3].Kind, skEmpty);
  QCOMPARE(f->Phone.Calls("GetNVMFileSize"), 1);
  QCOMPARE(f->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

void TestPhoneWork::closingWaitsForTheTransfer() {
  Form1->show();
  qputenv("GBP_BAUD", "9600");
  f->Modal.OpenFileNames.enqueue(f->PutFile("p.bin", PlainData(1000)));
  QTimer::singleShot(200, [] { Form1->close(); });
  Form1->RunCommand([] { Form1->UploadActionExecute(); });
  QVERIFY(!Form1->isVisible());
  QCOMPARE(f->Phone.Get(18, 9), PlainData(1000));
  QCOMPARE(f->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
  QVERIFY(QFile::exists(TManagerFixture::SettingsPath()));
}

void TestPhoneWork::crashDuringFullRefreshIsToldAndTheWindowGoesOn() {
  f.reset();
  f = std::make_unique<TManagerFixture>(TManagerFixture::Loaded, "[Link]\nIsolate=true\n");
  FillPhone(f->Phone);
  f->Phone.SetFaults("size 18-11=crash");
  Form1->RunCommand([] { Form1->Button1Click(); });
  QCOMPARE(f->Modal.ShownTexts(),
           (QStringList{"The phone-link library stopped during GetNVMFileSize 18-11 (signal 11).",
                        "Error getting section 18-11 size", "Update done!"}));
  QCOMPARE(Form1->Slots[1].Caption, QStringLiteral("Calc"));
  // The next refresh starts a fresh host and reaches every row.
  f->Phone.SetFaults(QString());
  f->Modal.Clear();
  Form1->RunCommand([] { Form1->Button1Click(); });
  QCOMPARE(f->Modal.ShownTexts(), QStringList{"Update done!"});
  QCOMPARE(Form1->Slots[3].Size, 8000);
  QCOMPARE(Form1->Slots[7].Caption, QStringLiteral("Notes"));
  QCOMPARE(f->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

QTEST_MAIN(TestPhoneWork)
#include "test_phonework.moc"
