// Several files into the slots at once: the plan the user edits, the run over the phone with
// its one summary, a drop of several files, and Cancel before and during the run.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include "app/drawgrid.h"
#include "app/workpanel.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/support/windowtest.h"

namespace {

enum { SlotColumn = 1, NowColumn = 2, NotesColumn = 5 };

QTableWidget* PlanTable(const QDialog* plan) {
  return plan->findChild<QTableWidget*>("PlanTable");
}
QComboBox* SlotBox(const QDialog* plan, int line) {
  return qobject_cast<QComboBox*>(PlanTable(plan)->cellWidget(line, SlotColumn));
}
QStringList Targets(const QDialog* plan) {
  QStringList targets;
  for (int line = 0; line < PlanTable(plan)->rowCount(); ++line)
    targets << SlotBox(plan, line)->currentText();
  return targets;
}

}  // namespace

class TestUploadPlan : public TWindowTest {
  Q_OBJECT
 private slots:
  void fiveFilesEditedInThePlanOntoThePhone();
  void severalFilesDroppedGiveThePlanAndCancelWritesNothing();
  void runEndsInOneSummary_data();
  void runEndsInOneSummary();

 private:
  void RefreshAll() {
    Window().RunCommand([this] { Window().Button1Click(); });
    fixture_->Modal.Clear();
    fixture_->Phone.ClearJournal();
  }
  // The boxes shown, each as caption, text and detail.
  QStringList Boxes() const {
    QStringList lines;
    for (const TShownBox& box : fixture_->Modal.Shown)
      lines << box.Caption << box.Text << box.Detail;
    return lines;
  }
  // kivnvm's conversion of the program for the firmware of that table index.
  QByteArray Converted(const QString& file, const QString& index) const {
    const QString out = fixture_->FilePath("converted" + index);
    const bool ok = TKivnvm().Run({"convert", "--firmware-index", index, file, out}).ExitCode == 0;
    return ok ? ReadFileBytes(out) : QByteArray();
  }
};

void TestUploadPlan::fiveFilesEditedInThePlanOntoThePhone() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  fixture_->Phone.Put(18, 10, Program(2000, "Notes"));
  RefreshAll();
  const QString ufif = fixture_->PutFile("ufif.bin", UFIFProgram(0x20000000, 3000));
  fixture_->Modal.OpenFileLists.enqueue({fixture_->PutFile("a.bin", PlainData(4000, 1)),
                                         fixture_->PutFile("b.bin", PlainData(5000, 2)),
                                         fixture_->PutFile("small.bin", PlainData(3000, 3)), ufif,
                                         fixture_->PutFile("plain.bin", PlainData(1500, 4))});
  QStringList planned;
  QStringList seen;
  fixture_->Modal.DialogScripts.enqueue([&](QDialog* plan) {
    planned = Targets(plan);
    const auto move = [plan](int line, const char* to) { SlotBox(plan, line)->setCurrentText(to); };
    const auto upload = [plan] {
      return plan->findChild<QPushButton*>("UploadButton")->isEnabled();
    };
    move(0, "18-9");
    seen << PlanTable(plan)->item(0, NowColumn)->text();
    // Two files into one slot: refused until one of them moves on.
    move(1, "18-9");
    seen << plan->findChild<QLabel*>("ClashText")->text() << QString::number(upload());
    move(1, "18-10");
    move(2, "2-10");
    seen << QString::number(upload()) << PlanTable(plan)->item(2, NotesColumn)->text()
         << PlanTable(plan)->item(3, NotesColumn)->text();
    seen << QString::number(plan->findChild<QCheckBox*>("ConvertBox")->isChecked());
    plan->findChild<QComboBox*>("FirmwareBox")->setCurrentIndex(5);
    return int(mrOk);
  });
  ManySlots().UploadFilesAction()->trigger();

  QCOMPARE(fixture_->Modal.FileDialogTitles, QStringList{"Upload files from 18-9 on"});
  QCOMPARE(planned, (QStringList{"18-11", "18-12", "18-13", "18-14", "18-15"}));
  QCOMPARE(seen, (QStringList{"Calc, 3000 bytes, UFIF 2 (replaced)",
                              "a.bin and b.bin both go to 18-9: move one of them to another slot.",
                              "0", "1", "too big for the slot (3000 bytes, the slot takes 2048)",
                              "UFIF 2.0", "1"}));
  QCOMPARE(fixture_->Phone.Get(18, 9), PlainData(4000, 1));
  QCOMPARE(fixture_->Phone.Get(18, 10), PlainData(5000, 2));
  QVERIFY(!fixture_->Phone.Holds(2, 10));
  QCOMPARE(fixture_->Phone.Get(18, 15), PlainData(1500, 4));
  const QByteArray converted = Converted(ufif, "5");
  QVERIFY(!converted.isEmpty() && converted != Converted(ufif, "0"));
  QCOMPARE(fixture_->Phone.Get(18, 14), converted);
  QCOMPARE(Boxes(), (QStringList{"ERROR", "4 of 5 slots done; 1 failed",
                                 "2-10 (small.bin): too big for the slot (3000 bytes, the slot "
                                 "takes 2048)"}));
  QCOMPARE(Slots()[1].Size, 4000);  // the rows show what the phone holds now
  // The menu keeps its items and adds this one after "Details...".
  const QList<QAction*> actions = PopupMenu()->actions();
  QCOMPARE(actions.indexOf(ManySlots().UploadFilesAction()), actions.indexOf(DetailsAction()) + 1);
}

void TestUploadPlan::severalFilesDroppedGiveThePlanAndCancelWritesNothing() {
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=5\nSmallSlots=2\n");
  fixture_->Show();
  fixture_->Phone.Put(2, 10, Program(1000, "Held"));
  RefreshAll();
  QMimeData data;
  QList<QUrl> urls;
  for (const char* name : {"w.bin", "x.bin", "y.bin", "z.bin"})
    urls << QUrl::fromLocalFile(fixture_->PutFile(name, PlainData(100)));
  data.setUrls(urls);
  const QPoint at = fixture_->Grid()->CellRect(1, 5).center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(fixture_->Grid()->viewport(), &enter);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(fixture_->Grid()->viewport(), &drop);
  QVERIFY(drop.isAccepted());
  QStringList planned;
  QString overflow;
  fixture_->Modal.DialogScripts.enqueue([&](QDialog* plan) {
    planned = Targets(plan);
    overflow = plan->findChild<QLabel*>("OverflowText")->text();
    return int(mrCancel);
  });
  QTRY_COMPARE(fixture_->Modal.OpenedDialogs, QStringList{"UploadPlanDialog"});
  // From the drop row on, past the slot that holds something; no menu, no box, no call.
  QCOMPARE(Window().CurrentRow(), 5);
  QCOMPARE(planned, (QStringList{"18-13", "2-11"}));
  QCOMPARE(overflow, QStringLiteral("No free slot left for: y.bin, z.bin. Not uploaded."));
  QVERIFY(!Window().findChild<QMenu*>(QStringLiteral("DropMenu")));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
  QVERIFY(fixture_->Phone.Journal().isEmpty());
}

void TestUploadPlan::runEndsInOneSummary_data() {
  QTest::addColumn<bool>("cancel");
  QTest::addColumn<int>("written");
  QTest::addColumn<QStringList>("box");  // caption, text, detail
  QTest::newRow("whole") << false << 3 << QStringList{"OK!", "3 of 3 slots done", ""};
  QTest::newRow("cancelled after the first")
      << true << 1
      << QStringList{"ERROR", "1 of 3 slots done; 2 not reached",
                     "18-10 (f1.bin): not reached\n18-11 (f2.bin): not reached"};
}

void TestUploadPlan::runEndsInOneSummary() {
  QFETCH(bool, cancel);
  QFETCH(int, written);
  QFETCH(QStringList, box);
  QStringList files;
  for (int i = 0; i < 3; ++i)
    files << fixture_->PutFile(QStringLiteral("f%1.bin").arg(i), PlainData(300, quint8(i + 1)));
  fixture_->Modal.DialogScripts.enqueue([](QDialog*) { return int(mrOk); });
  // The user presses Cancel while the first file is written.
  qputenv("GBP_BAUD", "9600");
  QTimer press;
  connect(&press, &QTimer::timeout, [&] {
    if (cancel && fixture_->Phone.Calls("WriteNVMFile") > 0)
      Window().Work().RequestCancel();
  });
  press.start(0);
  Window().RunCommand([&] { ManySlots().UploadFilesFrom(files, 1); });
  for (int i = 0; i < 3; ++i)
    QCOMPARE(fixture_->Phone.Get(18, 9 + i), i < written ? PlainData(300, quint8(i + 1)) : "");
  QCOMPARE(Boxes(), box);
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

QTEST_MAIN(TestUploadPlan)
#include "test_uploadplan.moc"
