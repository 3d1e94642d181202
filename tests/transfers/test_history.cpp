// The history of changes over the in-memory phone: every kind of change taken back byte for
// byte, an undo refused over what the change did not leave, a damaged entry refused, and
// the bound.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "catalogue/ops/refreshslots.h"
#include "common/fileio.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "libraries/ops/libraryupload.h"
#include "prefs/ops/prefsio.h"
#include "settings/settingsfile.h"
#include "tests/cli/sampleimages.h"
#include "tests/support/memoryport.h"
#include "tests/support/pseudotranslator.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/convertslot.h"
#include "transfer/ops/restore.h"
#include "transfer/ops/undo.h"
#include "transfer/ops/upload.h"

namespace {

class TQuietReporter final : public TReporter {
 public:
  QStringList Statuses;
  void Status(const QString& text) override { Statuses << text; }
  void Error(const QString&) override {}
  void Notice(const QString&, const QString&) override {}
  void RowChanged(int) override {}
  void Progress(int, int, const TSectionAddress&, qint64) override {}
  bool CancelRequested() override { return false; }
};

class TYesInteraction final : public TInteraction {
 public:
  int AskUFIF21Conversion() override { return mrYes; }
  QString FirmwareText() override { return QStringLiteral("0x37BDD8 - Z7 4.5.6/4"); }
  void ShowConversionReport(const QStringList&) override {}
  quint32 AskIconCode() override { return 0xE852; }
};

enum TChange {
  ByUpload,
  ByCompressedUpload,
  ByClear,
  ByConvert,
  ByLibrary,
  ByPreferences,
  ByRestore
};

const TSectionAddress Slot{18, 9};

struct TChangeRow {
  TChange Change;
  TSectionAddress Address;
  QByteArray Before;  // what the section holds before the change
  QByteArray Given;   // what the change is given
};

// The row's change, of the table of every kind of change.
TChangeRow RowChange() {
  QFETCH(int, change);
  QFETCH(int, section);
  QFETCH(int, subsection);
  QFETCH(QByteArray, before);
  QFETCH(QByteArray, given);
  return {TChange(change), {section, subsection}, before, given};
}

}  // namespace

class TestHistory : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void everyChangeIsTakenBack_data();
  void everyChangeIsTakenBack();
  void everyChangeTellsWhatItCouldNotKeep_data();
  void everyChangeTellsWhatItCouldNotKeep();
  void doubtfulSizeIsToldAsNotKept_data();
  void doubtfulSizeIsToldAsNotKept();
  void undoThatCannotBeRecordedSaysSo();
  void undoIsRefusedOverALaterChange();
  void damagedEntryIsRefused();
  void historyIsBounded();
  void keepingTurnedOffKeepsNothing();
  void recordsKeepTheirWordsInEveryLanguage();

 private:
  THistoryStore Store() const { return THistoryStore(history_); }
  // Makes the change; what the history could not keep of it, as its outcome tells.
  QStringList Change(TChange change, const TSectionAddress& address, const QByteArray& bytes);

  QTemporaryDir dir_;
  THistoryConfig history_;
  TMemoryPort port_;
  TSlotTable slots_{};
  TCatalogue catalogue_{slots_, TSlotRanges(), true};
  TQuietReporter reporter_;
  TYesInteraction interaction_;
};

void TestHistory::init() {
  QVERIFY(QDir::setCurrent(dir_.path()));
  QDir(dir_.filePath(QStringLiteral("history"))).removeRecursively();
  QFile::remove(dir_.filePath(QStringLiteral("history")));
  history_ = {dir_.filePath(QStringLiteral("history"))};
  port_ = TMemoryPort();
}

QStringList TestHistory::Change(TChange change, const TSectionAddress& address,
                                const QByteArray& bytes) {
  const QString file = dir_.filePath(QStringLiteral("file.bin"));
  SaveFile(file, bytes);
  switch (change) {
    case ByUpload:
    case ByCompressedUpload:
      return Upload(port_, catalogue_,
                    {address,
                     {bytes, false},
                     change == ByCompressedUpload,
                     TWriteCheck::BySize,
                     history_},
                    interaction_, reporter_)
          .NotKept;
    case ByClear:
      return ClearSection(port_, catalogue_, address, history_, reporter_).NotKept;
    case ByConvert:
      return ConvertSlot(port_, catalogue_, address, history_, interaction_, reporter_).NotKept;
    case ByLibrary:
      return UploadLibraryFile(port_, address, file, history_, reporter_).NotKept;
    case ByPreferences:
      return WritePrefRecord(port_, bytes, history_, reporter_).NotKept;
    case ByRestore: {
      // A backup of the phone holding bytes, restored over what it holds now.
      const QByteArray now = port_.Sections.value(address.Text());
      port_.Sections[address.Text()] = bytes;
      const QString backup = dir_.filePath(QStringLiteral("backup"));
      QDir(backup).removeRecursively();
      BackUp(port_, reporter_, TSlotRanges(), backup, {QStringLiteral("COM1"), QString(), false});
      port_.Sections[address.Text()] = now;
      return Restore(port_, reporter_, ReadBackup(backup, TSlotRanges()).Value,
                     {{address}, false, false, history_}, nullptr)
          .NotKept;
    }
  }
  return {};
}

void TestHistory::everyChangeIsTakenBack_data() {
  QTest::addColumn<int>("change");
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QByteArray>("given");
  const QByteArray program = PlainProgram(0x01000001, "Old", 3000);
  const QByteArray other = PlainProgram(0x01000001, "New", 1200);
  QTest::newRow("upload") << int(ByUpload) << 18 << 9 << program << other;
  QTest::newRow("compressed upload") << int(ByCompressedUpload) << 18 << 9 << program << other;
  QTest::newRow("clear") << int(ByClear) << 18 << 9 << program << QByteArray();
  QTest::newRow("convert") << int(ByConvert) << 18 << 9 << ConvertibleImage() << QByteArray();
  QTest::newRow("library") << int(ByLibrary) << 2 << 17 << program << other;
  QTest::newRow("preferences") << int(ByPreferences) << 2 << 18 << QByteArray(12, '\1')
                               << QByteArray(12, '\2');
  QTest::newRow("restore") << int(ByRestore) << 18 << 10 << program << other;
}

void TestHistory::everyChangeIsTakenBack() {
  const auto [change, address, before, given] = RowChange();
  port_.Open();
  port_.Sections[address.Text()] = before;
  port_.Close();
  QCOMPARE(Change(change, address, given), QStringList());
  const QByteArray after = port_.Sections.value(address.Text());
  QVERIFY(after != before);
  QVERIFY(reporter_.Statuses.contains(
      QStringLiteral("Keeping a copy of %1, %2 bytes...").arg(address.Text()).arg(before.size())));

  const QList<THistoryEntry> entries = Store().Entries();
  QCOMPARE(entries.size(), 1);
  QCOMPARE(entries[0].After, StateOfBytes(after));
  QCOMPARE(Undo(port_, catalogue_, Store(), entries[0].Id, reporter_).State, TUndoResult::Undone);
  QCOMPARE(port_.Sections.value(address.Text()), before);
  // The kept entry is a backup folder a restore takes as it is.
  QCOMPARE(ReadBackup(entries[0].Dir, TSlotRanges()).Value.Files.value(address.Text()), before);

  // The change is not offered again. The undo is a change of its own, taken back in turn,
  // unless the section it wrote held nothing (a clear), when nothing is left to take back.
  QVERIFY(Store().Entry(entries[0].Id).Value.TakenBack);
  if (after.isEmpty()) {
    QVERIFY(!LastChange(Store()));
    port_.Calls.clear();
    QCOMPARE(Undo(port_, catalogue_, Store(), QString(), reporter_).State,
             TUndoResult::NothingToUndo);
    QVERIFY(port_.Calls.isEmpty());
    return;
  }
  // No id: the newest change, the undo.
  const TUndoResult undo = Undo(port_, catalogue_, Store(), QString(), reporter_);
  QCOMPARE(undo.State, TUndoResult::Undone);
  QCOMPARE(undo.Entry.Change, QStringLiteral("Undo of %1").arg(entries[0].Id));
  QCOMPARE(port_.Sections.value(address.Text()), after);
}

void TestHistory::everyChangeTellsWhatItCouldNotKeep_data() {
  everyChangeIsTakenBack_data();
}

// A history that cannot keep the copy does not stop the change; its outcome says what was
// not kept, as the status line did when it happened.
void TestHistory::everyChangeTellsWhatItCouldNotKeep() {
  const auto [change, address, before, given] = RowChange();
  SaveFile(history_.Dir, "a file where the history's folder belongs");
  port_.Sections[address.Text()] = before;
  const QString notKept =
      QStringLiteral("No copy kept of %1: Cannot create file %2").arg(address.Text(), history_.Dir);
  QCOMPARE(Change(change, address, given), QStringList{notKept});
  QVERIFY(reporter_.Statuses.contains(notKept));
  QVERIFY(port_.Sections.value(address.Text()) != before);
}

void TestHistory::doubtfulSizeIsToldAsNotKept_data() {
  QTest::addColumn<int>("sizeFault");  // 0: none
  QTest::addColumn<int>("held");
  QTest::addColumn<QString>("reason");
  QTest::newRow("size not told") << -5 << 1000 << "did not tell what it holds (size answer -5)";
  QTest::newRow("size failed") << -7 << 1000 << "Error getting section 18-9 size";
  QTest::newRow("too large") << 0 << 70000 << "holds 70000 bytes, more than can be read";
}

// What the phone would not tell may hold data: the change goes on, and says it keeps no copy.
void TestHistory::doubtfulSizeIsToldAsNotKept() {
  QFETCH(int, sizeFault);
  QFETCH(int, held);
  QFETCH(QString, reason);
  port_.Sections[Slot.Text()] = QByteArray(held, 'o');
  if (sizeFault != 0)
    port_.SizeFaults[Slot.Text()] = sizeFault;
  const QStringList notKept = Change(ByUpload, Slot, QByteArray(900, 'n'));
  QCOMPARE(notKept.size(), 1);
  QVERIFY2(notKept[0].startsWith("No copy kept: ") && notKept[0].contains(reason),
           qPrintable(notKept[0]));
  QVERIFY(reporter_.Statuses.contains(notKept[0]));
  QCOMPARE(port_.Sections.value(Slot.Text()), QByteArray(900, 'n'));
  QVERIFY(Store().Entries().isEmpty());
}

// The phone was written: a history that cannot then record the undo says so in the outcome.
void TestHistory::undoThatCannotBeRecordedSaysSo() {
  port_.Sections[Slot.Text()] = QByteArray(1000, 'o');
  Change(ByUpload, Slot, QByteArray(900, 'n'));
  const THistoryEntry entry = LastChange(Store()).value();
  // Between the check of the entry and its mark, its record goes.
  port_.OnWrite = [&entry] { QFile::remove(QDir(entry.Dir).filePath("change.json")); };
  const TUndoResult undo = Undo(port_, catalogue_, Store(), entry.Id, reporter_);
  QCOMPARE(undo.State, TUndoResult::Undone);
  QCOMPARE(port_.Sections.value(Slot.Text()), QByteArray(1000, 'o'));
  QVERIFY2(undo.NotRecorded.contains(QDir(entry.Dir).filePath("change.json")),
           qPrintable(undo.NotRecorded));
}

void TestHistory::undoIsRefusedOverALaterChange() {
  port_.Sections[Slot.Text()] = PlainProgram(0x01000001, "Old", 2000);
  Change(ByUpload, Slot, PlainProgram(0x01000001, "New", 900));
  const QByteArray later = PlainProgram(0x01000001, "Later", 700);
  port_.Sections[Slot.Text()] = later;
  const TUndoResult result = Undo(port_, catalogue_, Store(), LastChange(Store())->Id, reporter_);
  QCOMPARE(result.State, TUndoResult::Refused);
  QCOMPARE(port_.Sections.value(Slot.Text()), later);
  // Both contents are named: what is there now and what the change left.
  QVERIFY2(result.Problem.contains(QStringLiteral("700 bytes")), qPrintable(result.Problem));
  QVERIFY2(result.Problem.contains(QStringLiteral("900 bytes")), qPrintable(result.Problem));
  QVERIFY(!port_.Calls.contains(QStringLiteral("Write 18-9")) ||
          port_.Calls.lastIndexOf(QStringLiteral("Write 18-9")) <
              port_.Calls.lastIndexOf(QStringLiteral("Open")));
}

void TestHistory::damagedEntryIsRefused() {
  port_.Sections[Slot.Text()] = PlainProgram(0x01000001, "Old", 2000);
  Change(ByClear, Slot, {});
  const THistoryEntry entry = LastChange(Store()).value();
  QByteArray kept = ReadBounded(BackupFilePath(entry.Dir, Slot), 65536).Bytes;
  kept[100] = char(kept[100] ^ 1);
  SaveFile(BackupFilePath(entry.Dir, Slot), kept);
  port_.Calls.clear();
  QCOMPARE(Undo(port_, catalogue_, Store(), entry.Id, reporter_).State, TUndoResult::Unusable);
  QVERIFY(port_.Calls.isEmpty());
  QVERIFY(!port_.Sections.contains(Slot.Text()));
}

void TestHistory::historyIsBounded() {
  history_.MaxEntries = 3;
  history_.MaxBytes = 20000;
  // Six uploads of 1,000 bytes, each over the one before: three entries, the newest.
  for (int i = 1; i <= 6; ++i) {
    port_.Sections[Slot.Text()] = QByteArray(1000, char('a' + i));
    Change(ByUpload, Slot, QByteArray(1000, char('A' + i)));
  }
  QList<THistoryEntry> entries = Store().Entries();
  QCOMPARE(entries.size(), 3);
  QCOMPARE(entries.last().Id, QStringLiteral("6"));
  QCOMPARE(entries.first().Id, QStringLiteral("4"));
  // Fewer bytes allowed: the oldest go first, the newest stays whatever its size.
  history_.MaxBytes = 2500;
  port_.Sections[Slot.Text()] = QByteArray(3000, 'z');
  Change(ByClear, Slot, {});
  entries = Store().Entries();
  QCOMPARE(entries.size(), 1);
  QCOMPARE(entries.first().Id, QStringLiteral("7"));
}

void TestHistory::keepingTurnedOffKeepsNothing() {
  const QString settings = dir_.filePath(QStringLiteral("KivManager.INI"));
  SaveFile(settings, "[History]\nKeep=0\n");
  history_ = ReadSettings(settings).History;
  port_.Sections[Slot.Text()] = QByteArray(1000, 'a');
  Change(ByUpload, Slot, QByteArray(900, 'b'));
  // No read before the write, and no history.
  QVERIFY(port_.Calls.indexOf(QStringLiteral("Read 18-9")) >
          port_.Calls.indexOf(QStringLiteral("Write 18-9")));
  QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("history"))));
  QVERIFY(!ReadSettings(dir_.filePath(QStringLiteral("none.INI"))).History.Dir.isEmpty());
}

void TestHistory::recordsKeepTheirWordsInEveryLanguage() {
  const TPseudoTranslator russian([](const QString& context, const QString& source) {
    static const QHash<QString, QString> words{{"Transfer/Upload", "Загрузка"},
                                               {"Transfer/Undo of %1", "Отмена изменения %1"},
                                               {"Catalogue/%n bytes", "%n байт"}};
    return words.value(context + QLatin1Char('/') + source);
  });
  port_.Sections[Slot.Text()] = PlainProgram(0x01000001, "Old", 2000);
  Change(ByUpload, Slot, PlainProgram(0x01000001, "New", 900));
  const QString id = LastChange(Store())->Id;
  QCOMPARE(Undo(port_, catalogue_, Store(), id, reporter_).State, TUndoResult::Undone);
  // The records read the same to every version and language; the user reads his own.
  const QList<THistoryEntry> entries = Store().Entries();
  QCOMPARE(entries.size(), 2);
  QCOMPARE(entries[0].Change, QStringLiteral("Upload"));
  QCOMPARE(entries[1].Change, QStringLiteral("Undo of ") + id);
  QVERIFY2(entries[0].Before.Description.endsWith(QLatin1String(", 2000 bytes")),
           qPrintable(entries[0].Before.Description));
  QCOMPARE(ChangeLabelText(entries[0].Change), QStringLiteral("Загрузка"));
  QCOMPARE(ChangeLabelText(entries[1].Change), QStringLiteral("Отмена изменения ") + id);
  // A change a later version records is shown as it was recorded.
  QCOMPARE(ChangeLabelText(QStringLiteral("Defragment")), QStringLiteral("Defragment"));
}

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
