// Work over many slots on the virtual phone: a plan of files, a download into a folder that
// holds one of its names, a cancel in the middle, a restore on a nearly full phone, and the
// sections a backup covers.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "catalogue/ops/refreshslots.h"
#include "cli/phonelink.h"
#include "common/fileio.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "tests/cli/sampleimages.h"
#include "tests/support/virtualphone.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/manyslots.h"
#include "transfer/ops/restore.h"
#include "ufif/relocation.h"
#include "ufif/ufifheader.h"

namespace {

const QString Firmware = QStringLiteral("0x37BDD8 - Z7 4.5.6/4");

class TTestFace final : public TReporter, public TInteraction {
 public:
  int CancelAfter = -1;  // slots started before a cancel; -1 never
  QList<TFileClash> Answers;
  QStringList Clashes;
  QStringList Steps;

  void Status(const QString&) override {}
  void Error(const QString&) override {}
  void Notice(const QString&, const QString&) override {}
  void RowChanged(int) override {}
  void Progress(int index, int count, const TSectionAddress& address, qint64) override {
    Steps << QStringLiteral("%1 of %2 %3").arg(index).arg(count).arg(address.Text());
  }
  bool CancelRequested() override { return CancelAfter >= 0 && Steps.size() >= CancelAfter; }
  int AskUFIF21Conversion() override { return mrCancel; }  // the plan answers, never the face
  QString FirmwareText() override { return {}; }
  void ShowConversionReport(const QStringList&) override {}
  quint32 AskIconCode() override { return 0xE852; }
  TFileClash AskFileClash(const QString& path) override {
    Clashes << QFileInfo(path).fileName();
    return Answers.takeFirst();
  }
};

QByteArray Program(const QByteArray& name, int size) {
  return PlainProgram(0x20010000, name, size);
}

}  // namespace

class TestManySlots : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void planOfFiveFiles();
  void downloadAsksAboutATakenName_data();
  void downloadAsksAboutATakenName();
  void cancelInTheMiddle();
  void restoreOnANearlyFullPhone();
  void backupCoversTheStandardSlots();

 private:
  std::unique_ptr<TVirtualPhone> phone_;
  std::unique_ptr<TPhoneLink> link_;
  TSlotTable slots_{};
  TCatalogue catalogue_{slots_, TSlotRanges(), true};
  TTestFace face_;
};

void TestManySlots::init() {
  // The old phone goes first: it takes its settings from the environment with it.
  link_.reset();
  phone_.reset();
  phone_ = std::make_unique<TVirtualPhone>();
  TPhoneOptions options(LibraryChoice(TVirtualPhone::LibraryPath()));
  options.PortOrigin = QStringLiteral("from the test");
  link_ = std::make_unique<TPhoneLink>(options);
  slots_.fill(TSlotInfo());
  face_ = TTestFace();
}

void TestManySlots::planOfFiveFiles() {
  phone_->Put(18, 9, Program("Old9", 3000));
  phone_->Put(18, 10, Program("Old10", 2000));
  QVERIFY(RefreshAllSlots(*link_, catalogue_, face_).LinkOpened);
  face_.Steps.clear();
  QList<TPlannedUpload> files;
  const QList<QByteArray> data{Program("New9", 1500), Program("New10", 4000),
                               QByteArray(70000, 'x'), ConvertibleImage(), Program("Free", 900)};
  for (int i = 0; i < data.size(); ++i) {
    TPlannedUpload file;
    file.FileName = QStringLiteral("f%1.prg").arg(i + 1);
    file.File = {data[i].left(65536), data[i].size() > 65536};
    files << file;
  }
  QStringList overflow;
  TUploadPlan plan = PlanUploads(files, catalogue_, 1, overflow);
  QVERIFY(overflow.isEmpty());
  // By default the free slots from the first row on; the user moves two onto programs.
  QCOMPARE(plan.Items[0].Target.Text(), QStringLiteral("18-11"));
  plan.Items[0].Target = {18, 9};
  plan.Items[1].Target = {18, 10};
  CheckPlan(plan, catalogue_);
  QCOMPARE(plan.Items[0].Holds.Caption, QStringLiteral("Old9"));
  QVERIFY(plan.Items[2].TooBig);
  QVERIFY(plan.Items[3].UFIF20 && plan.HasUFIF20());
  plan.Convert = true;
  plan.Firmware = Firmware;

  const TManyResult result = RunUploadPlan(*link_, catalogue_, plan, face_, face_);
  QByteArray converted = ConvertibleImage();
  MarkAsUFIF21(converted);
  RelocateUFIF20(converted, Firmware);
  QCOMPARE(phone_->Get(18, 9), data[0]);
  QCOMPARE(phone_->Get(18, 10), data[1]);
  QVERIFY(!phone_->Holds(18, 13));
  QCOMPARE(phone_->Get(18, plan.Items[3].Target.SubSection), converted);
  QCOMPARE(phone_->Get(18, plan.Items[4].Target.SubSection), data[4]);
  const QStringList summary = result.Summary();
  QCOMPARE(summary.first(), QStringLiteral("4 of 5 slots done; 1 failed"));
  QCOMPARE(summary.size(), 2);
  QVERIFY2(summary[1].startsWith(QStringLiteral("18-13 (f3.prg): too big")),
           qPrintable(summary[1]));
  // The shrinking 18-9 went first, the most growing 18-10 last.
  QCOMPARE(face_.Steps.first(), QStringLiteral("1 of 5 18-9"));
  QCOMPARE(face_.Steps.last(), QStringLiteral("5 of 5 18-10"));
}

void TestManySlots::downloadAsksAboutATakenName_data() {
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("replaced");
  QTest::newRow("replace") << int(TInteraction::ReplaceFile) << true;
  QTest::newRow("skip") << int(TInteraction::SkipFile) << false;
  QTest::newRow("skip all") << int(TInteraction::SkipAllFiles) << false;
}

void TestManySlots::downloadAsksAboutATakenName() {
  QFETCH(int, answer);
  QFETCH(bool, replaced);
  QTemporaryDir dir;
  phone_->Put(18, 9, Program("Calc/1", 1000));
  phone_->Put(18, 11, QByteArray("GIF89a") + QByteArray(200, '\0'));
  SaveFile(dir.filePath(QStringLiteral("18-9 Calc_1.prg")), "mine");
  face_.Answers = {TInteraction::TFileClash(answer)};
  const TManyResult result =
      DownloadSlots(*link_, {{18, 9}, {18, 10}, {18, 11}}, dir.path(), face_, face_);
  QCOMPARE(face_.Clashes, QStringList{QStringLiteral("18-9 Calc_1.prg")});
  QCOMPARE(ReadBounded(dir.filePath(QStringLiteral("18-9 Calc_1.prg")), 2000).Bytes,
           replaced ? Program("Calc/1", 1000) : QByteArray("mine"));
  QCOMPARE(ReadBounded(dir.filePath(QStringLiteral("18-11.gif")), 2000).Bytes, phone_->Get(18, 11));
  QCOMPARE(result.Count(TSlotWork::Skipped), replaced ? 1 : 2);  // 18-10 is empty
  QCOMPARE(result.Count(TSlotWork::Failed), 0);
}

void TestManySlots::cancelInTheMiddle() {
  for (int sub = 9; sub <= 12; ++sub)
    phone_->Put(18, sub, Program("P", 500));
  face_.CancelAfter = 2;
  const TManyResult result =
      ClearSlots(*link_, catalogue_, {{18, 9}, {18, 10}, {18, 11}, {18, 12}}, {}, face_);
  QVERIFY(result.Cancelled);
  QVERIFY(!phone_->Holds(18, 9) && !phone_->Holds(18, 10));
  QVERIFY(phone_->Holds(18, 11) && phone_->Holds(18, 12));
  QCOMPARE(result.Summary(), (QStringList{QStringLiteral("2 of 4 slots done; 2 not reached"),
                                          QStringLiteral("18-11: not reached"),
                                          QStringLiteral("18-12: not reached")}));
}

void TestManySlots::restoreOnANearlyFullPhone() {
  QTemporaryDir dir;
  const QString backup = dir.filePath(QStringLiteral("backup"));
  phone_->Put(18, 9, Program("Big", 30000));
  phone_->Put(18, 21, Program("Small", 1000));
  QVERIFY(BackUp(*link_, face_, TSlotRanges(), backup, {QStringLiteral("COM1"), QString(), false})
              .Made());
  phone_->Put(18, 9, Program("Small", 1000));
  phone_->Put(18, 21, Program("Big", 30000));
  // The end state fits; 18-9 growing before 18-21 shrinks would not.
  phone_->SetCapacity(32000);
  const TRestoreResult result = Restore(*link_, face_, ReadBackup(backup, TSlotRanges()).Value,
                                        {{{18, 9}, {18, 21}}, false, false, {}}, nullptr);
  QCOMPARE(result.Failures(), 0);
  QCOMPARE(phone_->Get(18, 9), Program("Big", 30000));
  QCOMPARE(phone_->Get(18, 21), Program("Small", 1000));
}

void TestManySlots::backupCoversTheStandardSlots() {
  TSlotRanges odd;
  odd.FirstBig = 0;
  odd.BigSlots = 100;
  odd.SmallSlots = 0;
  const QList<TSectionAddress> addresses = BackupAddresses(odd);
  for (const TSectionAddress address :
       {TSectionAddress{2, 10}, TSectionAddress{2, 14}, TSectionAddress{2, 16},
        TSectionAddress{2, 17}, TSectionAddress{2, 18}, TSectionAddress{18, 29}})
    QCOMPARE(addresses.count(address), 1);
  QCOMPARE(addresses.size(), 100 + 5 + 3);
}

QTEST_GUILESS_MAIN(TestManySlots)
#include "test_manyslots.moc"
