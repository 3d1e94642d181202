// The phone operations' contract, run against the virtual phone (through kivnvm's library
// port, in process and in the link host) and against the in-memory port: the same phone
// gives the same outcome through each.

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "catalogue/classify.h"
#include "catalogue/ops/refreshslots.h"
#include "cli/phonelink.h"
#include "common/messages.h"
#include "common/operationio.h"
#include "prefs/ops/prefsio.h"
#include "prefs/prefrecord.h"
#include "tests/support/memoryport.h"
#include "tests/support/virtualphone.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/restore.h"
#include "transfer/ops/sectionio.h"

namespace {

class TRecordingReporter final : public TReporter {
 public:
  QStringList Errors;
  QList<int> RowsChanged;
  int CancelAfter = -1;  // sections before a cancel; -1 never

  void Status(const QString&) override {}
  void Error(const QString& text) override { Errors << text; }
  void Notice(const QString&, const QString&) override {}
  void RowChanged(int row) override { RowsChanged << row; }
  void Progress(int, int, const TSectionAddress&, qint64) override { ++steps_; }
  bool CancelRequested() override { return CancelAfter >= 0 && steps_ >= CancelAfter; }

 private:
  int steps_ = 0;
};

enum TPortKind { MemoryPort, VirtualPhone, LinkHost };

// One phone behind one of the ports: sections and faults set alike on each.
class TPhoneUnderTest {
 public:
  explicit TPhoneUnderTest(int kind) {
    if (kind != MemoryPort) {
      phone_ = std::make_unique<TVirtualPhone>();
      TPhoneOptions options(LibraryChoice(TVirtualPhone::LibraryPath()));
      options.PortOrigin = QStringLiteral("from the test");
      options.Link.Isolate = kind == LinkHost;
      link_ = std::make_unique<TPhoneLink>(options);
    }
  }
  TPhonePort& Port() { return link_ ? static_cast<TPhonePort&>(*link_) : memory_; }

  void Put(int section, int subsection, const QByteArray& bytes) {
    if (phone_)
      phone_->Put(section, subsection, bytes);
    else
      memory_.Sections[TSectionAddress{section, subsection}.Text()] = bytes;
  }
  QByteArray Get(int section, int subsection) const {
    return phone_ ? phone_->Get(section, subsection)
                  : memory_.Sections.value(TSectionAddress{section, subsection}.Text());
  }
  // "size 18-9=-5", "read 18-9=claim 99", "write 18-9=truncate 10", "init=-1": one fault.
  void Fault(const QString& fault) {
    if (phone_) {
      phone_->SetFaults(fault);
      return;
    }
    if (fault.startsWith(QStringLiteral("init="))) {
      memory_.OpenResult = fault.section(QLatin1Char('='), 1).toInt();
      return;
    }
    const QStringList parts = fault.split(QLatin1Char(' '));
    const QString address = parts[1].section(QLatin1Char('='), 0, 0);
    const QString value = fault.section(QLatin1Char('='), 1);
    if (parts[0] == QStringLiteral("size"))
      memory_.SizeFaults[address] = value.toInt();
    else if (parts[0] == QStringLiteral("read"))  // a code, or "claim N": the count answered
      memory_.ReadFaults[address] = value.section(QLatin1Char(' '), -1).toInt();
    else if (value.startsWith(QStringLiteral("truncate")))
      memory_.TruncatedWrites[address] = value.section(QLatin1Char(' '), 1).toInt();
    else
      memory_.WriteFaults[address] = value.toInt();
  }

 private:
  std::unique_ptr<TVirtualPhone> phone_;
  std::unique_ptr<TPhoneLink> link_;
  TMemoryPort memory_;
};

QByteArray Bytes(int size, char fill = 'k') {
  return QByteArray(size, fill);
}

}  // namespace

class TestOperations : public QObject {
  Q_OBJECT
 private slots:
  void wholeReadStates_data();
  void wholeReadStates();
  void boundedReadStates_data();
  void boundedReadStates();
  void writeIsJudged_data();
  void writeIsJudged();
  void preferencesWriteStates_data();
  void preferencesWriteStates();
  void clearIsConfirmedOnlyByAnEmptyAnswer_data();
  void clearIsConfirmedOnlyByAnEmptyAnswer();
  void refreshEndsARangeAtAFailureAndStopsAtACancel_data();
  void refreshEndsARangeAtAFailureAndStopsAtACancel();
  void shortReadIsNotRead();
  void sessionClosesOnEveryPath();
  void lostLinkEndsTheWorkOnce();
  void phoneGoneQuietIsNeverTakenForEmpty();
};

namespace {

void AddPortColumn() {
  QTest::addColumn<int>("portKind");
}

const QList<QPair<int, QByteArray>> kPorts{
    {MemoryPort, "memory "}, {VirtualPhone, "virtual "}, {LinkHost, "host "}};

// A port, a fault on it, and the state and problem it ends in.
void AddStateColumns() {
  AddPortColumn();
  QTest::addColumn<QString>("fault");
  QTest::addColumn<int>("state");
  QTest::addColumn<QString>("problem");
}

// The row's phone: 3000 bytes in 18-9, and the row's fault.
std::unique_ptr<TPhoneUnderTest> RowPhone() {
  QFETCH(int, portKind);
  QFETCH(QString, fault);
  auto phone = std::make_unique<TPhoneUnderTest>(portKind);
  phone->Put(18, 9, Bytes(3000));
  if (!fault.isEmpty())
    phone->Fault(fault);
  return phone;
}

}  // namespace

void TestOperations::wholeReadStates_data() {
  AddStateColumns();
  for (const auto& [phone, port] : kPorts) {
    QTest::newRow(QByteArray(port).append("held")) << phone << "" << int(TSectionRead::Held) << "";
    QTest::newRow(QByteArray(port).append("-5"))
        << phone << "size 18-9=-5" << int(TSectionRead::Unknown)
        << "Section 18-9: the phone did not tell what it "
           "holds (size answer -5)";
    QTest::newRow(QByteArray(port).append("size fails"))
        << phone << "size 18-9=-7" << int(TSectionRead::SizeFailed)
        << "Error getting section 18-9 size";
    QTest::newRow(QByteArray(port).append("read fails"))
        << phone << "read 18-9=-5" << int(TSectionRead::ReadFailed) << "Error reading section 18-9";
  }
}

void TestOperations::wholeReadStates() {
  const std::unique_ptr<TPhoneUnderTest> phone = RowPhone();
  QFETCH(int, state);
  QFETCH(QString, problem);
  const TLinkSession link(phone->Port());
  const TSectionRead read = ReadWholeSection(phone->Port(), {18, 9}, 65536);
  QCOMPARE(int(read.State), state);
  QCOMPARE(WholeReadProblem(read, {18, 9}), problem);
  QCOMPARE(read.Bytes, state == TSectionRead::Held ? Bytes(3000) : QByteArray());
  // Nothing is known of a -5 section: it is neither held nor certainly empty.
  QCOMPARE(read.HoldsNothing(), state == TSectionRead::Unknown);
}

void TestOperations::boundedReadStates_data() {
  AddStateColumns();
  for (const auto& [phone, port] : kPorts) {
    QTest::newRow(QByteArray(port).append("read")) << phone << "" << int(TBytesRead::Read) << "";
    QTest::newRow(QByteArray(port).append("no link"))
        << phone << "init=-1" << int(TBytesRead::NoLink) << "";
    QTest::newRow(QByteArray(port).append("refused"))
        << phone << "read 18-9=-5" << int(TBytesRead::ReadFailed) << "Error reading section 18-9";
    // The host refuses such an answer itself: to the operation the read failed.
    QTest::newRow(QByteArray(port).append("claims more than the buffer"))
        << phone << "read 18-9=claim 4097" << int(TBytesRead::ReadFailed)
        << (phone == LinkHost ? QStringLiteral("Error reading section 18-9")
                              : QStringLiteral("Error reading section 18-9: the phone claimed "
                                               "4097 bytes read, but only 4096 can be there"));
  }
}

// A read of at most so many bytes (the download, the GIF preview, the preferences): what it
// brought, or a failure told once, never bytes beyond the buffer.
void TestOperations::boundedReadStates() {
  const std::unique_ptr<TPhoneUnderTest> phone = RowPhone();
  QFETCH(int, state);
  QFETCH(QString, problem);
  TRecordingReporter reporter;
  const TBytesRead read = ReadSectionBytes(phone->Port(), {18, 9}, 4096, reporter);
  QCOMPARE(int(read.State), state);
  QCOMPARE(read.Ok(), state == TBytesRead::Read);
  QCOMPARE(read.Bytes, read.Ok() ? Bytes(3000) : QByteArray());
  QCOMPARE(read.Problem, problem);
  QCOMPARE(reporter.Errors, problem.isEmpty() ? QStringList() : QStringList{problem});
}

void TestOperations::writeIsJudged_data() {
  AddPortColumn();
  QTest::addColumn<QString>("fault");
  QTest::addColumn<bool>("whole");
  QTest::addColumn<QString>("problem");
  for (const auto& [phone, port] : kPorts) {
    QTest::newRow(QByteArray(port).append("whole")) << phone << "" << true << "";
    QTest::newRow(QByteArray(port).append("refused"))
        << phone << "write 18-9=-6" << false
        << "the phone refused the write (GBP Error: No Memory!)";
    QTest::newRow(QByteArray(port).append("truncated"))
        << phone << "write 18-9=truncate 100" << false
        << "the phone holds 100 of the 3000 bytes written: the section now holds neither the "
           "old nor the new content";
  }
}

void TestOperations::writeIsJudged() {
  QFETCH(int, portKind);
  QFETCH(QString, fault);
  QFETCH(bool, whole);
  QFETCH(QString, problem);
  TPhoneUnderTest phone(portKind);
  if (!fault.isEmpty())
    phone.Fault(fault);
  TSlotTable table{};
  TCatalogue catalogue{table, TSlotRanges{}, true};
  TRecordingReporter reporter;
  for (const TWriteCheck check : {TWriteCheck::BySize, TWriteCheck::ByReadBack}) {
    const TWriteOutcome outcome =
        WriteAndJudge(phone.Port(), catalogue, {18, 9}, Bytes(3000), check, reporter);
    QVERIFY(outcome.LinkOpened);
    QCOMPARE(outcome.Whole, whole);
    QCOMPARE(outcome.Problem, problem);
  }
  // The row shows what the phone holds afterwards.
  QCOMPARE(table[1].Size, qint32(phone.Get(18, 9).size()));
}

void TestOperations::preferencesWriteStates_data() {
  AddPortColumn();
  QTest::addColumn<QString>("fault");
  QTest::addColumn<int>("state");
  for (const auto& [phone, port] : kPorts) {
    QTest::newRow(QByteArray(port).append("whole")) << phone << "" << int(TPrefWriteResult::Whole);
    QTest::newRow(QByteArray(port).append("no link"))
        << phone << "init=-1" << int(TPrefWriteResult::NoLink);
    QTest::newRow(QByteArray(port).append("cut short"))
        << phone << "write 2-18=truncate 10" << int(TPrefWriteResult::CutShort);
    QTest::newRow(QByteArray(port).append("refused"))
        << phone << "write 2-18=-6" << int(TPrefWriteResult::CutShort);
  }
}

// The record counts as written only when the phone then holds all of it; anything less is
// the upload error, told once.
void TestOperations::preferencesWriteStates() {
  QFETCH(int, portKind);
  QFETCH(QString, fault);
  QFETCH(int, state);
  TPhoneUnderTest phone(portKind);
  if (!fault.isEmpty())
    phone.Fault(fault);
  TRecordingReporter reporter;
  const QByteArray record = Bytes(PrefRecordSize, 'p');
  QCOMPARE(int(WritePrefRecord(phone.Port(), record, THistoryConfig(), reporter).State), state);
  QCOMPARE(reporter.Errors,
           state == TPrefWriteResult::CutShort ? QStringList{UploadErrorText()} : QStringList());
  if (state == TPrefWriteResult::Whole)
    QCOMPARE(phone.Get(2, 18), record);
}

void TestOperations::clearIsConfirmedOnlyByAnEmptyAnswer_data() {
  AddPortColumn();
  QTest::addColumn<QString>("fault");
  QTest::addColumn<bool>("cleared");
  for (const auto& [phone, port] : kPorts) {
    QTest::newRow(QByteArray(port).append("erased")) << phone << "" << true;
    // The grid shows -5 as empty, but it does not confirm an erase.
    QTest::newRow(QByteArray(port).append("-5 after")) << phone << "size 18-9=-5" << false;
  }
}

void TestOperations::clearIsConfirmedOnlyByAnEmptyAnswer() {
  QFETCH(int, portKind);
  QFETCH(QString, fault);
  QFETCH(bool, cleared);
  TPhoneUnderTest phone(portKind);
  phone.Put(18, 9, Bytes(300));
  if (!fault.isEmpty())
    phone.Fault(fault);
  TSlotTable table{};
  TCatalogue catalogue{table, TSlotRanges{}, true};
  TRecordingReporter reporter;
  const TClearOutcome outcome = ClearSection(phone.Port(), catalogue, {18, 9}, {}, reporter);
  QCOMPARE(outcome.Cleared(), cleared);
  QCOMPARE(table[1].Kind, skEmpty);
}

void TestOperations::refreshEndsARangeAtAFailureAndStopsAtACancel_data() {
  AddPortColumn();
  QTest::addColumn<int>("cancelAfter");
  QTest::addColumn<QList<int>>("reached");
  // Ranges 18-9..18-11 and 2-10..2-11; 18-10 fails its size query.
  for (const auto& [phone, port] : kPorts) {
    QTest::newRow(QByteArray(port).append("whole run")) << phone << -1 << QList<int>{1, 2, 4, 5};
    QTest::newRow(QByteArray(port).append("cancel")) << phone << 1 << QList<int>{1};
  }
}

void TestOperations::refreshEndsARangeAtAFailureAndStopsAtACancel() {
  QFETCH(int, portKind);
  QFETCH(int, cancelAfter);
  QFETCH(QList<int>, reached);
  TPhoneUnderTest phone(portKind);
  phone.Put(18, 9, Bytes(500));
  phone.Put(2, 11, Bytes(20));
  phone.Fault(QStringLiteral("size 18-10=-7"));
  TSlotTable table{};
  TCatalogue catalogue{table, TSlotRanges{9, 3, 10, 2}, false};
  TRecordingReporter reporter;
  reporter.CancelAfter = cancelAfter;
  const TSlotsRefreshed refreshed = RefreshAllSlots(phone.Port(), catalogue, reporter);
  QVERIFY(refreshed.LinkOpened);
  QCOMPARE(refreshed.Cancelled, cancelAfter >= 0);
  QList<int> rowsReached;
  for (int row = 1; row <= refreshed.Rows.size(); ++row) {
    if (refreshed.Rows[row - 1])
      rowsReached << row;
  }
  QCOMPARE(rowsReached, reached);
  QCOMPARE(table[1].Size, 500);
  if (cancelAfter < 0) {
    QCOMPARE(reporter.Errors, QStringList{QStringLiteral("Error getting section 18-10 size")});
    QCOMPARE(table[5].Size, 20);
  }
}

// No bytes read of a section of zeros would be recognised as a ringer; a row that a refresh
// did not reach shows "(not read)" unless an earlier refresh read it.
void TestOperations::shortReadIsNotRead() {
  TMemoryPort port;
  port.Sections = {{"18-10", Bytes(4000, '\0')}, {"2-10", Bytes(20)}};
  port.ReadFaults["18-10"] = 0;
  TSlotTable table{};
  table[3] = EmptySlotInfo(TSlotInfo());
  TCatalogue catalogue{table, TSlotRanges{9, 4, 10, 1}, true};
  TRecordingReporter reporter;
  RefreshAllSlots(port, catalogue, reporter);
  QCOMPARE(reporter.Errors, QStringList{QStringLiteral("Error reading section 18-10")});
  QVERIFY(IsNotRead(table[2]));
  QCOMPARE(table[2].Size, 4000);
  QCOMPARE(table[3], EmptySlotInfo(TSlotInfo()));
  QVERIFY(IsNotRead(table[4]));
  QCOMPARE(table[5].Size, 20);
}

void TestOperations::sessionClosesOnEveryPath() {
  TMemoryPort port;
  try {
    const TLinkSession link(port);
    QVERIFY(port.IsOpen());
    throw std::runtime_error("a command that ends early");
  } catch (const std::runtime_error&) {
  }
  QVERIFY(!port.IsOpen());
  QCOMPARE(port.Calls, (QStringList{QStringLiteral("Open"), QStringLiteral("Close")}));
  // A link that does not open is not closed either.
  port.OpenResult = -2;
  port.Calls.clear();
  { const TLinkSession link(port); }
  QCOMPARE(port.Calls, QStringList{QStringLiteral("Open")});
}

// A link lost half-way is told once, where it happened; what comes after is not tried, and
// only bytes the phone was seen to hold count as written.
void TestOperations::lostLinkEndsTheWorkOnce() {
  const QTemporaryDir work;
  const QMap<QString, QByteArray> programs{
      {"18-9", Bytes(300)}, {"18-10", Bytes(200)}, {"2-17", Bytes(100)}};
  TMemoryPort port;
  port.Sections = programs;
  port.LostAt = "18-10";
  TRecordingReporter reporter;
  const TBackupResult backup =
      BackUp(port, reporter, TSlotRanges(), QDir(work.path()).filePath("lost"),
             {"COM1", QString(), false});
  QVERIFY(backup.Made());
  QCOMPARE(backup.LinkLost,
           QStringLiteral("The link was lost at section 18-10 (GBP Error: Port must be opened!)"));
  QCOMPARE(backup.Reached, 2);
  QCOMPARE(backup.Manifest.Missing(), int(backup.Manifest.Entries.size()) - 1);
  QCOMPARE(backup.Manifest.Check, TBackupCheck::Incomplete);
  QCOMPARE(port.Calls.filter("GetSize").size(), 2);

  port = TMemoryPort();
  port.Sections = programs;
  const QString target = QDir(work.path()).filePath("bk");
  QVERIFY(BackUp(port, reporter, TSlotRanges(), target, {"COM1", QString(), false}).Made());
  port.Sections.clear();
  port.LostAt = "18-10";
  const TRestoreResult restore =
      Restore(port, reporter, ReadBackup(target, TSlotRanges()).Value, {}, nullptr);
  QCOMPARE(restore.Count(TSectionRestore::Failed), 1);  // 18-10, where it was lost
  QCOMPARE(restore.Bytes, 0);
  QVERIFY(restore.LinkLost.startsWith("The link was lost at section 18-10"));
  QCOMPARE(restore.Sections.last().Action, TSectionRestore::NotReached);
}

// A phone that answers "nothing there" for every section once its cable is pulled: the
// sizes asked again at the end give it away, and a restore clears nothing unless asked.
void TestOperations::phoneGoneQuietIsNeverTakenForEmpty() {
  const QTemporaryDir work;
  const QString target = QDir(work.path()).filePath("bk");
  TMemoryPort port;
  port.Sections = {{"18-9", Bytes(300)}, {"18-10", Bytes(200)}, {"2-17", Bytes(100)}};
  port.GoneAfter = "18-10";
  TRecordingReporter reporter;
  const TBackupResult backup =
      BackUp(port, reporter, TSlotRanges(), target, {"COM1", QString(), false});
  QCOMPARE(backup.Manifest.Check, TBackupCheck::Inconsistent);
  QCOMPARE(backup.Manifest.Changes.size(), 2);
  QCOMPARE(backup.Manifest.Changes[1].Address.Text(), QStringLiteral("18-10"));
  for (const bool asked : {false, true}) {
    TMemoryPort phone;
    phone.Sections = {{"2-17", Bytes(100)}};
    TRestoreRequest request;
    request.ClearRecordedEmpty = asked;
    const TRestoreResult restore =
        Restore(phone, reporter, ReadBackup(target, TSlotRanges()).Value, request, nullptr);
    QCOMPARE(phone.Sections.contains("2-17"), !asked);
    QCOMPARE(restore.Count(TSectionRestore::Written), 2);
  }
}

QTEST_GUILESS_MAIN(TestOperations)
#include "test_operations.moc"
