// Edit > Undo and Edit > History... against the virtual phone: each kind of change the
// window makes comes back byte for byte, and nothing is written over what a change did not
// leave there.

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "common/fileio.h"
#include "prefs/ui/prefform.h"
#include "tests/support/windowtest.h"
#include "transfer/history.h"
#include "transfer/ui/historydialog.h"

namespace {

enum TChangeKind { Upload, CompressedUpload, Clear, Convert, Preferences, Library, Restore };

struct TLines {
  QString Where;
  QList<QStringList> Lines;
};

}  // namespace

class TestUndo : public TWindowTest {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void undoBringsBackWhatEachChangeReplaced_data();
  void undoBringsBackWhatEachChangeReplaced();
  void sectionChangedSinceIsRefused();
  void damagedCopyWritesNothing();
  void historyTakesBackAnOlderChange();
  void historyOffIsSaidAndNothingToUndo();

 private:
  std::unique_ptr<QTemporaryDir> historyDir_;

  QAction* UndoAction() const { return Control<QAction>("UndoAction"); }
  // As the window runs a command from its buttons and menus.
  void Through(void (TForm1::*command)()) {
    Window().RunCommand([this, command] { (Window().*command)(); });
  }
  void Make(TChangeKind kind);
  // Opens History..., runs the script on the dialog, then closes it.
  TLines History(const std::function<void(THistoryDialog&)>& script = {});
};

void TestUndo::init() {
  historyDir_ = std::make_unique<QTemporaryDir>();
  SetHistoryConfig({historyDir_->filePath("history")});
  TWindowTest::init();
}

void TestUndo::cleanup() {
  TWindowTest::cleanup();
  SetHistoryConfig({});
  historyDir_.reset();
}

void TestUndo::Make(TChangeKind kind) {
  TManagerFixture& f = *fixture_;
  switch (kind) {
    case Upload:
      f.PickFile(PlainData(1000));
      return Through(&TForm1::UploadActionExecute);
    case CompressedUpload:
      f.PickFile(PlainData(3000) + QByteArray(3000, 'z'));
      return Through(&TForm1::UploadLZOActionExecute);
    case Clear:
      return Through(&TForm1::ClearActionExecute);
    case Convert:
      return Through(&TForm1::ConvertActionExecute);
    case Preferences:
      f.Run(&TForm1::GetPrefActionExecute);
      Control<QLineEdit>(Pref(), "ssEdit")->setText("21");
      return Through(&TForm1::SetPrefActionExecute);
    case Library:
      f.Modal.ConfirmAnswers.enqueue(true);
      f.PickFile(NumberedBytes(2000));
      return Through(&TForm1::Button5Click);
    case Restore:
      // A backup of the phone as it is, then 18-9 written behind the window's back.
      f.Modal.FolderNames.enqueue(f.FilePath("backup"));
      f.Run(&TForm1::BackupActionExecute);
      f.Phone.Put(18, 9, PlainData(700, 9));
      f.Modal.FolderNames.enqueue(f.FilePath("backup"));
      f.Modal.DialogScripts.enqueue([](QDialog*) { return int(mrOk); });
      return Through(&TForm1::RestoreActionExecute);
  }
}

TLines TestUndo::History(const std::function<void(THistoryDialog&)>& script) {
  TLines seen;
  fixture_->Modal.DialogScripts.enqueue([&](QDialog* shown) {
    auto& dialog = *qobject_cast<THistoryDialog*>(shown);
    if (script)
      script(dialog);
    seen.Where = dialog.Where();
    for (int i = 0; i < dialog.LineCount(); ++i)
      seen.Lines << dialog.Line(i);
    return int(mrCancel);
  });
  Control<QAction>("HistoryAction")->trigger();
  return seen;
}

void TestUndo::undoBringsBackWhatEachChangeReplaced_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QString>("undoText");
  QTest::newRow("upload") << int(Upload) << BigRow << 18 << 9 << Program(3000, "Calc")
                          << "&Undo Upload of 18-9";
  QTest::newRow("compressed upload") << int(CompressedUpload) << BigRow << 18 << 9
                                     << NumberedBytes(1500) << "&Undo Compressed upload of 18-9";
  QTest::newRow("clear") << int(Clear) << BigRow << 18 << 9 << NumberedBytes(8000)
                         << "&Undo Clear of 18-9";
  QTest::newRow("convert") << int(Convert) << BigRow << 18 << 9 << UFIFProgram(0x20000000, 3000)
                           << "&Undo Convert of 18-9";
  QTest::newRow("preferences update")
      << int(Preferences) << BigRow << 2 << 18 << PrefRecord({3, 0, 17, 2, 0, 0, 0, 0})
      << "&Undo Preferences update of 2-18";
  QTest::newRow("library upload") << int(Library) << BigRow << 2 << 17 << NumberedBytes(500)
                                  << "&Undo Library upload of 2-17";
  QTest::newRow("restore") << int(Restore) << BigRow << 18 << 9 << Program(3000, "Calc")
                           << "&Undo Restore of 18-9";
}

void TestUndo::undoBringsBackWhatEachChangeReplaced() {
  QFETCH(int, kind);
  QFETCH(int, row);
  QFETCH(int, section);
  QFETCH(int, subsection);
  QFETCH(QByteArray, before);
  QFETCH(QString, undoText);
  fixture_->Phone.Put(section, subsection, before);
  fixture_->Select(row);
  Make(TChangeKind(kind));
  // Restore: the backup holds what the test put; the restore replaced what came after.
  const QByteArray replaced = kind == Restore ? PlainData(700, 9) : before;
  QVERIFY(fixture_->Phone.Get(section, subsection) != replaced);
  QCOMPARE(UndoAction()->text(), undoText);
  QVERIFY(UndoAction()->isEnabled());
  QCOMPARE(UndoAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));

  fixture_->Modal.Clear();
  UndoAction()->trigger();
  QCOMPARE(fixture_->Phone.Get(section, subsection), replaced);
  const QString done = "Undone: " + undoText.mid(6) + ".";
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{done});
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("OK!"));
  QCOMPARE(fixture_->Status(), done);
  // Never the change just taken back again: the undo itself, where it replaced something.
  QCOMPARE(UndoAction()->text(), kind == Clear ? QStringLiteral("&Undo")
                                               : "&Undo Undo of 1 of " + undoText.section(' ', -1));
}

void TestUndo::sectionChangedSinceIsRefused() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  Make(Upload);
  fixture_->Phone.Put(18, 9, PlainData(50, 4));  // another phone, or kivnvm
  fixture_->Phone.ClearJournal();
  fixture_->Modal.Clear();
  UndoAction()->trigger();
  QCOMPARE(fixture_->Phone.Get(18, 9), PlainData(50, 4));
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
  const TShownBox box = fixture_->LastBox();
  QCOMPARE(box.Caption, QStringLiteral("ERROR"));
  // Both contents named: the 50 bytes now there, the 1,000 the upload left.
  QVERIFY2(box.Text.startsWith("Section 18-9 now holds ") && box.Text.contains("50 bytes") &&
               box.Text.contains("1,000 bytes") && box.Text.contains("nothing was written"),
           qPrintable(box.Text));
  QCOMPARE(fixture_->Status(), QStringLiteral("Not undone"));
  // Still offered: it can be taken back once the section holds the upload again.
  QCOMPARE(UndoAction()->text(), QStringLiteral("&Undo Upload of 18-9"));
}

void TestUndo::damagedCopyWritesNothing() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  Make(Upload);
  const QString entry = THistoryStore(CurrentHistoryConfig()).Entries().last().Dir;
  SaveFile(entry + "/18-9", Program(3000, "Calx"));
  fixture_->Phone.ClearJournal();
  UndoAction()->trigger();
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Error);
  QVERIFY2(fixture_->LastBox().Text.contains("/18-9 does not match its SHA-256"),
           qPrintable(fixture_->LastBox().Text));
  QCOMPARE(fixture_->Phone.Calls("InitGBPMode"), 0);
  QCOMPARE(fixture_->Phone.Get(18, 9), PlainData(1000));
}

void TestUndo::historyTakesBackAnOlderChange() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  fixture_->Phone.Put(2, 10, NumberedBytes(900));
  Make(Upload);
  fixture_->Select(SmallRow);
  Make(Clear);
  QCOMPARE(UndoAction()->text(), QStringLiteral("&Undo Clear of 2-10"));
  // A damaged entry is listed with its problem, never chosen.
  const QString store = CurrentHistoryConfig().Dir;
  QDir(store).mkdir("99");

  bool damagedChosen = true;
  bool olderChosen = false;
  const TLines seen = History([&](THistoryDialog& dialog) {
    damagedChosen = dialog.ChooseLine(0);
    olderChosen = dialog.ChooseLine(2);
    dialog.TakeBack();
  });
  QVERIFY(!damagedChosen);
  QVERIFY(olderChosen);
  QVERIFY2(seen.Where.startsWith("Kept in " + store), qPrintable(seen.Where));
  QCOMPARE(fixture_->Phone.Get(18, 9), Program(3000, "Calc"));
  QVERIFY(!fixture_->Phone.Holds(2, 10));
  QCOMPARE(fixture_->LastBox().Text, QStringLiteral("Undone: Upload of 18-9."));
  // Read again after the undo, newest first: the undo, the damaged entry, the clear, the upload.
  QCOMPARE(seen.Lines.size(), 4);
  QCOMPARE(seen.Lines[0].mid(2, 2), (QStringList{"18-9", "Undo of 1"}));
  QVERIFY(seen.Lines[0][4].startsWith("< Data >"));
  QVERIFY(seen.Lines[0][5].startsWith("Calc, 3000 bytes, UFIF 2 (3,000 bytes"));
  QCOMPARE(seen.Lines[1].mid(3, 1), QStringList{"damaged"});
  QCOMPARE(seen.Lines[2].mid(2, 2), (QStringList{"2-10", "Clear"}));
  QCOMPARE(seen.Lines[2][5], QStringLiteral("nothing (empty)"));
  QCOMPARE(UndoAction()->text(), QStringLiteral("&Undo Undo of 1 of 18-9"));
}

void TestUndo::historyOffIsSaidAndNothingToUndo() {
  QCOMPARE(UndoAction()->text(), QStringLiteral("&Undo"));
  QVERIFY(!UndoAction()->isEnabled());  // on, but nothing changed yet

  SetHistoryConfig({});
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  Make(Upload);
  QCOMPARE(UndoAction()->text(), QStringLiteral("&Undo"));
  QVERIFY(!UndoAction()->isEnabled());
  const TLines seen = History();
  QVERIFY(seen.Lines.isEmpty());
  QVERIFY2(seen.Where.contains("Keep=0") && seen.Where.contains(Window().SettingsPath()),
           qPrintable(seen.Where));
}

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
