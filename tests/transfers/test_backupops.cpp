// The backup and restore operations over an in-memory phone: what a cancel leaves behind,
// the folder's way into place, and the rows a restore refreshes.

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

#include "catalogue/ops/refreshslots.h"
#include "common/operationio.h"
#include "common/platform.h"
#include "link/phoneport.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/restore.h"

namespace {

constexpr int NoSection = -153;

class TMemoryPort final : public TPhonePort {
 public:
  QMap<QString, QByteArray> Sections;

  bool Open() override { return true; }
  void Close() override {}
  int GetSize(const TSectionAddress& address) override {
    return Sections.contains(address.Text()) ? int(Sections[address.Text()].size()) : NoSection;
  }
  int Read(const TSectionAddress& address, void* buffer, quint32 length) override {
    const QByteArray bytes = Sections.value(address.Text()).left(int(length));
    std::memcpy(buffer, bytes.constData(), size_t(bytes.size()));
    return int(bytes.size());
  }
  int Write(const TSectionAddress& address, const void* data, quint32 length) override {
    Sections[address.Text()] = QByteArray(static_cast<const char*>(data), int(length));
    return 0;
  }
  int Clear(const TSectionAddress& address) override {
    Sections.remove(address.Text());
    return 0;
  }
};

// Asks to stop once `sections` sections have been started.
class TStoppingReporter final : public TReporter {
 public:
  explicit TStoppingReporter(int sections) : sections_(sections) {}
  void Status(const QString&) override {}
  void Error(const QString&) override {}
  void Notice(const QString&, const QString&) override {}
  void RowChanged(int) override {}
  void Progress(int index, int, const TSectionAddress&, qint64) override { started_ = index; }
  bool CancelRequested() override { return started_ >= sections_; }

 private:
  int sections_;
  int started_ = 0;
};

// Puts a file into the backup's folder while the first section is read.
class TFillingReporter final : public TReporter {
 public:
  explicit TFillingReporter(QString folder) : folder_(std::move(folder)) {}
  void Status(const QString&) override {}
  void Error(const QString&) override {}
  void Notice(const QString&, const QString&) override {}
  void RowChanged(int) override {}
  void Progress(int, int, const TSectionAddress&, qint64) override {
    QFile late(QDir(folder_).filePath(QStringLiteral("late")));
    QVERIFY(late.open(QIODevice::WriteOnly));
  }
  bool CancelRequested() override { return false; }

 private:
  QString folder_;
};

TMemoryPort PhoneWithPrograms() {
  TMemoryPort port;
  port.Sections = {{"18-9", QByteArray(300, 'a')},
                   {"18-10", QByteArray(200, 'b')},
                   {"2-17", QByteArray(100, 'c')}};
  return port;
}

}  // namespace

class TestBackupOps : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void cancelledBackupLeavesNoFolder_data();
  void cancelledBackupLeavesNoFolder();
  void backupTakesTheEmptyFolderItWasGiven();
  void unfitFolderIsRefused_data();
  void unfitFolderIsRefused();
  void cancelledRestoreTellsWhatIsLeft();
};

void TestBackupOps::cancelledBackupLeavesNoFolder_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("folderGiven");
  QTest::newRow("new folder") << "bk" << false;
  QTest::newRow("new folder in new folders") << "new/inner/bk" << false;
  QTest::newRow("empty folder") << "bk" << true;
}

void TestBackupOps::cancelledBackupLeavesNoFolder() {
  QFETCH(QString, name);
  QFETCH(bool, folderGiven);
  const QTemporaryDir work;
  const QString target = QDir(work.path()).filePath(name);
  if (folderGiven)
    QVERIFY(QDir().mkdir(target));
  TMemoryPort port = PhoneWithPrograms();
  TStoppingReporter reporter(2);
  const TBackupResult result =
      BackUp(port, reporter, TSlotRanges(), target, {"COM1", QString(), false});
  QVERIFY(result.Cancelled);
  QVERIFY(!result.Made());
  QCOMPARE(result.Manifest.Entries.size(), 2);
  // Nothing beside the target, and the target as it was.
  const QStringList left =
      QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  QCOMPARE(left, folderGiven ? QStringList{"bk"} : QStringList());
  if (folderGiven)
    QVERIFY(QDir(target).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestBackupOps::backupTakesTheEmptyFolderItWasGiven() {
  const QTemporaryDir work;
  const QString target = QDir(work.path()).filePath("bk");
  QVERIFY(QDir().mkdir(target));
  TMemoryPort port = PhoneWithPrograms();
  TStoppingReporter reporter(1000);
  const TBackupResult result =
      BackUp(port, reporter, TSlotRanges(), target, {"COM1", QString(), false});
  QVERIFY(result.Made());
  QCOMPARE(result.Bytes, 600);
  QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
           QStringList{"bk"});
  QCOMPARE(QDir(target).entryList(QDir::Files),
           QStringList({"18-10", "18-9", "2-17", "manifest.json"}));
}

void TestBackupOps::unfitFolderIsRefused_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("problem");
  QTest::newRow("a file") << "file"
                          << "is a file, not a folder";
  QTest::newRow("a folder holding a file") << "full"
                                           << "is not empty: back up into a new folder";
  QTest::newRow("a link to nothing") << "dangling"
                                     << "which does not exist";
  QTest::newRow("filled while it is read") << "filled"
                                           << "is not empty: back up into a new folder";
}

void TestBackupOps::unfitFolderIsRefused() {
  QFETCH(QString, kind);
  QFETCH(QString, problem);
  const QTemporaryDir work;
  const QString target = QDir(work.path()).filePath("bk");
  if (kind == "file" || kind == "full") {
    QVERIFY(kind == "file" || QDir().mkdir(target));
    QFile file(kind == "file" ? target : QDir(target).filePath("old"));
    QVERIFY(file.open(QIODevice::WriteOnly));
  } else if (kind == "dangling") {
    if (kWindowsBuild)
      QSKIP("Windows makes a shortcut file, not a link, for a program without the right to");
    QVERIFY(QFile::link(QDir(work.path()).filePath("gone"), target));
  } else {
    QVERIFY(QDir().mkdir(target));
  }
  TMemoryPort port = PhoneWithPrograms();
  TFillingReporter reporter(target);
  const TBackupResult result =
      BackUp(port, reporter, TSlotRanges(), target, {"COM1", QString(), false});
  QVERIFY(!result.Made());
  QVERIFY2(result.Refused.contains(problem), qPrintable(result.Refused));
  // Refused before the link opens, unless filled meanwhile; nothing made is left either way.
  QCOMPARE(result.LinkOpened, kind == "filled");
  QCOMPARE(QDir(work.path())
               .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
           QStringList{"bk"});
}

void TestBackupOps::cancelledRestoreTellsWhatIsLeft() {
  const QTemporaryDir work;
  const QString target = QDir(work.path()).filePath("bk");
  TMemoryPort port = PhoneWithPrograms();
  TStoppingReporter backupReporter(1000);
  QVERIFY(BackUp(port, backupReporter, TSlotRanges(), target, {"COM1", QString(), false}).Made());

  // Onto a phone that lost its programs and gained one where the backup holds nothing.
  port.Sections = {{"18-11", "stray"}};
  TSlotTable table{};
  TCatalogue catalogue{table, TSlotRanges(), false};
  TStoppingReporter reporter(2);
  const TRestoreResult result =
      Restore(port, reporter, ReadBackup(target, TSlotRanges()).Value, {}, &catalogue);
  QVERIFY(result.Cancelled);
  QCOMPARE(result.Sections[0].Address.Text(), QStringLiteral("18-11"));
  QCOMPARE(result.Sections[0].Action, TSectionRestore::Cleared);
  QCOMPARE(result.Count(TSectionRestore::Written), 0);
  QCOMPARE(result.Count(TSectionRestore::Cleared) + result.Count(TSectionRestore::Unchanged) +
               result.Count(TSectionRestore::NotReached),
           result.Sections.size());
  QVERIFY(port.Sections.isEmpty());

  // Let through, the writes land and their rows show them.
  TStoppingReporter patient(1000);
  const TRestoreResult whole =
      Restore(port, patient, ReadBackup(target, TSlotRanges()).Value, {}, &catalogue);
  QCOMPARE(whole.Count(TSectionRestore::Written), 3);
  QCOMPARE(whole.Failures(), 0);
  QCOMPARE(port.Sections, PhoneWithPrograms().Sections);
  QCOMPARE(table.at(size_t(SlotRow(18, 9, TSlotRanges()))).Size, 300);
  QCOMPARE(table.at(size_t(SlotRow(18, 10, TSlotRanges()))).Size, 200);
}

QTEST_MAIN(TestBackupOps)
#include "test_backupops.moc"
