// kivnvm's history and many-slot commands against the virtual phone: a replaced program
// taken back and an undo refused over a later change; a plan printed and run, every slot
// saved into a folder, several cleared.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "tests/cli/kivnvmphonetest.h"
#include "tests/cli/sampleimages.h"

namespace {

QByteArray Program(const QByteArray& name, int size) {
  return PlainProgram(0x20010000, name, size);
}

}  // namespace

class TestKivnvmHistory : public TKivnvmPhoneTest {
  Q_OBJECT
 private slots:
  void initTestCase();
  void undoTakesBackOnlyWhatTheChangeLeft();
  void manySlotCommands();
  void changeGoesOnWhenTheHistoryCannotKeepIt();

 private:
  QTemporaryDir data_;
};

void TestKivnvmHistory::initTestCase() {
  // kivnvm keeps its history under the test's own data folder.
  qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
}

void TestKivnvmHistory::undoTakesBackOnlyWhatTheChangeLeft() {
  // Nothing kept yet: nothing to take back, and no change of that number.
  for (const auto& [id, message] : {std::pair{QString(), "no change to take back"},
                                    std::pair{QStringLiteral("7"), "holds no change 7"}}) {
    const TKivnvmRun nothing =
        kivnvm_.Run(id.isEmpty() ? QStringList{"undo"} : QStringList{"undo", id});
    QCOMPARE(nothing.ExitCode, 1);
    QVERIFY2(nothing.Err.startsWith("kivnvm: The history ") && nothing.Err.contains(message),
             qPrintable(nothing.Err));
  }
  const QByteArray old = Program("Old", 3000);
  phone_->Put(18, 9, old);
  WriteFileBytes(Path("new.prg"), Program("New", 1000));
  QCOMPARE(kivnvm_.Run({"put", "18-9", Path("new.prg")}).ExitCode, 0);

  const TKivnvmRun history = kivnvm_.Run({"history", "--json"});
  QCOMPARE(history.ExitCode, 0);
  const QJsonArray entries = QJsonDocument::fromJson(history.OutBytes).array();
  QCOMPARE(entries.size(), 1);
  const QJsonObject entry = entries.last().toObject();
  QCOMPARE(entry.value("address").toString(), QStringLiteral("18-9"));
  QCOMPARE(entry.value("before_size").toInt(), 3000);
  QCOMPARE(entry.value("after_size").toInt(), 1000);

  QCOMPARE(kivnvm_.Run({"undo"}).ExitCode, 0);
  QCOMPARE(phone_->Get(18, 9), old);
  // The same change again: the section holds what it held before, not what it left.
  const TKivnvmRun refused = kivnvm_.Run({"undo", entry.value("id").toString()});
  QCOMPARE(refused.ExitCode, 1);
  QVERIFY2(refused.Err.contains("3000 bytes") && refused.Err.contains("1000 bytes"),
           qPrintable(refused.Err));
  QCOMPARE(phone_->Get(18, 9), old);
  // Turned off in the settings file: nothing is kept.
  kivnvm_.WriteSettings("[History]\nKeep=0\n");
  QCOMPARE(kivnvm_.Run({"clear", "18-9"}).ExitCode, 0);
  QCOMPARE(kivnvm_.Run({"history"}).ExitCode, 1);
}

void TestKivnvmHistory::manySlotCommands() {
  phone_->Put(18, 9, Program("Keep", 500));
  WriteFileBytes(Path("a.prg"), Program("Alpha", 700));
  WriteFileBytes(Path("b.prg"), Program("Beta", 800));
  const TKivnvmRun plan =
      kivnvm_.Run({"put", "--into-free", "--dry-run", Path("a.prg"), Path("b.prg")});
  QCOMPARE(plan.ExitCode, 0);
  QCOMPARE(plan.OutLines(),
           (QStringList{Path("a.prg") + " -> 18-10 (free)", Path("b.prg") + " -> 18-11 (free)"}));
  QVERIFY(!phone_->Holds(18, 10));
  QCOMPARE(kivnvm_.Run({"put", "--into-free", Path("a.prg"), Path("b.prg")}).ExitCode, 0);
  QCOMPARE(phone_->Get(18, 11), Program("Beta", 800));

  const TKivnvmRun get = kivnvm_.Run({"get", "--all", Path("saved")});
  QCOMPARE(get.ExitCode, 0);
  QCOMPARE(QDir(Path("saved")).entryList(QDir::Files),
           (QStringList{"18-10 Alpha.prg", "18-11 Beta.prg", "18-9 Keep.prg"}));
  QVERIFY2(get.Err.contains("3 of 26 slots done; 23 skipped"), qPrintable(get.Err));
  // One that fails takes away the folders it made.
  QCOMPARE(kivnvm_.Run({"get", "--all", "--port", "COM4", Path("new/saved")}).ExitCode, 1);
  QVERIFY(!QFileInfo::exists(Path("new")));

  const TKivnvmRun clear = kivnvm_.Run({"clear", "18-9", "18-10"});
  QCOMPARE(clear.ExitCode, 0);
  QVERIFY(!phone_->Holds(18, 9) && !phone_->Holds(18, 10) && phone_->Holds(18, 11));
}

// The change is made; stderr says which copy is missing, so the user knows it cannot be
// taken back.
void TestKivnvmHistory::changeGoesOnWhenTheHistoryCannotKeepIt() {
  kivnvm_.WriteSettings("[History]\nKeep=1\n");
  const QString history = data_.filePath("kiv-manager/history");
  QDir(history).removeRecursively();
  QVERIFY(QDir().mkpath(data_.filePath("kiv-manager")));
  WriteFileBytes(history, "a file where the history's folder belongs");
  for (const int subsection : {9, 10, 11})
    phone_->Put(18, subsection, Program("Old", 3000));
  WriteFileBytes(Path("new.prg"), Program("New", 1000));
  // The single put and clear, and the clear of several slots.
  const QList<std::pair<QStringList, QStringList>> commands{
      {{"put", "18-9", Path("new.prg")}, {"18-9"}},
      {{"clear", "18-10"}, {"18-10"}},
      {{"clear", "18-9", "18-11"}, {"18-9", "18-11"}}};
  for (const auto& [command, sections] : commands) {
    const TKivnvmRun run = kivnvm_.Run(command);
    QCOMPARE(run.ExitCode, 0);
    for (const QString& section : sections)
      QVERIFY2(run.Err.contains("No copy kept of " + section + ": Cannot create file " + history +
                                "; this change cannot be taken back"),
               qPrintable(run.Err));
  }
  for (const int subsection : {9, 10, 11})
    QVERIFY(phone_->Get(18, subsection).isEmpty());
  QVERIFY(QFile::remove(history));
}

QTEST_MAIN(TestKivnvmHistory)
#include "test_kivnvm_history.moc"
