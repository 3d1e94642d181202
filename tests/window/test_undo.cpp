// Edit > Undo and Edit > History... against the virtual phone: each kind of change the
// window makes comes back byte for byte, never over what the change did not leave there.

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "prefs/ui/prefform.h"
#include "tests/support/windowtest.h"
#include "transfer/ui/historydialog.h"

namespace {

enum TChangeKind { Upload, CompressedUpload, Clear, Convert, Preferences, Library, Restore };

}  // namespace

class TestUndo : public TWindowTest {
  Q_OBJECT
 private Q_SLOTS:
  void init() {
    history_ = std::make_unique<QTemporaryDir>();
    fixture_ = std::make_unique<TManagerFixture>(TManagerFixture::Loaded, QByteArray(),
                                                 THistoryConfig{history_->path()});
  }
  void undoBringsBackWhatEachChangeReplaced_data();
  void undoBringsBackWhatEachChangeReplaced();
  void sectionChangedSinceIsRefused();
  void writeCutShortIsNoSuccess();
  void historyTakesBackAnOlderChange();
  void historyOffIsSaid();

 private:
  std::unique_ptr<QTemporaryDir> history_;

  QAction* Undo() const { return Control<QAction>("UndoAction"); }
  // As the window runs its buttons and menus, so the Edit menu follows.
  void Through(void (TForm1::*command)()) {
    Window().RunCommand([this, command] { (Window().*command)(); });
  }
  void Make(TChangeKind kind);
  // History..., with the script run on the dialog before it closes.
  void History(const std::function<void(THistoryDialog&)>& script) {
    fixture_->Modal.DialogScripts.enqueue([script](QDialog* dialog) {
      script(*qobject_cast<THistoryDialog*>(dialog));
      return int(mrCancel);
    });
    Control<QAction>("HistoryAction")->trigger();
  }
};

// Each change on 18-9, the current row, or on the section it is made for.
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
      f.Modal.FolderNames << f.FilePath("b") << f.FilePath("b");
      f.Run(&TForm1::BackupActionExecute);
      f.Phone.Put(18, 9, PlainData(700, 9));  // what the restore replaces
      f.Modal.DialogScripts.enqueue([](QDialog*) { return int(mrOk); });
      return Through(&TForm1::RestoreActionExecute);
  }
}

void TestUndo::undoBringsBackWhatEachChangeReplaced_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QString>("undoText");
  QTest::newRow("upload") << int(Upload) << 18 << 9 << Program(3000, "Calc")
                          << "&Undo Upload of 18-9";
  QTest::newRow("compressed upload") << int(CompressedUpload) << 18 << 9 << NumberedBytes(1500)
                                     << "&Undo Compressed upload of 18-9";
  QTest::newRow("clear") << int(Clear) << 18 << 9 << NumberedBytes(8000) << "&Undo Clear of 18-9";
  QTest::newRow("convert") << int(Convert) << 18 << 9 << UFIFProgram(0x20000000, 3000)
                           << "&Undo Convert of 18-9";
  QTest::newRow("preferences update")
      << int(Preferences) << 2 << 18 << PrefRecord({3, 0, 17, 2, 0, 0, 0, 0})
      << "&Undo Preferences update of 2-18";
  QTest::newRow("library upload") << int(Library) << 2 << 17 << NumberedBytes(500)
                                  << "&Undo Library upload of 2-17";
  QTest::newRow("restore") << int(Restore) << 18 << 9 << Program(3000, "Calc")
                           << "&Undo Restore of 18-9";
}

void TestUndo::undoBringsBackWhatEachChangeReplaced() {
  QFETCH(int, kind);
  QFETCH(int, section);
  QFETCH(int, subsection);
  QFETCH(QByteArray, before);
  QFETCH(QString, undoText);
  fixture_->Phone.Put(section, subsection, before);
  Make(TChangeKind(kind));
  QCOMPARE(Undo()->text(), undoText);
  fixture_->Modal.Clear();
  Undo()->trigger();
  QCOMPARE(fixture_->Phone.Get(section, subsection), kind == Restore ? PlainData(700, 9) : before);
  // The box words it as kivnvm does; the status line says it short.
  const QStringList shown = fixture_->Modal.ShownTexts();
  QCOMPARE(shown.size(), 1);
  QVERIFY2(
      shown[0].startsWith("Took back change 1 (" + undoText.mid(6) + "): the section holds ") &&
          shown[0].endsWith(" again."),
      qPrintable(shown[0]));
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("OK!"));
  QCOMPARE(fixture_->Status(), "Undone: " + undoText.mid(6) + ".");
  // Never the change just taken back again: the undo itself, where it replaced something.
  QCOMPARE(Undo()->text(), kind == Clear ? QStringLiteral("&Undo")
                                         : "&Undo Undo of 1 of " + undoText.section(' ', -1));
}

void TestUndo::sectionChangedSinceIsRefused() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  Make(Upload);
  fixture_->Phone.Put(18, 9, PlainData(50, 4));  // another phone, or kivnvm
  fixture_->Phone.ClearJournal();
  Undo()->trigger();
  QCOMPARE(fixture_->Phone.Get(18, 9), PlainData(50, 4));
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
  // Both named: the 50 bytes there now, the 1000 the upload left.
  const TShownBox box = fixture_->LastBox();
  QCOMPARE(box.Caption, QStringLiteral("ERROR"));
  QVERIFY2(box.Text.startsWith("Section 18-9 now holds ") && box.Text.contains("50 bytes") &&
               box.Text.contains("1000 bytes"),
           qPrintable(box.Text));
  QCOMPARE(Undo()->text(), QStringLiteral("&Undo Upload of 18-9"));
}

void TestUndo::writeCutShortIsNoSuccess() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  Make(Upload);
  fixture_->Phone.SetFaults("write 18-9=truncate 100");
  Undo()->trigger();
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("ERROR"));
  QVERIFY2(fixture_->LastBox().Text.startsWith("Section 18-9 was not taken back: "),
           qPrintable(fixture_->LastBox().Text));
  QCOMPARE(fixture_->Status(), QStringLiteral("Undo error!"));
}

void TestUndo::historyTakesBackAnOlderChange() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  fixture_->Phone.Put(2, 10, NumberedBytes(900));
  Make(Upload);
  fixture_->Select(SmallRow);
  Make(Clear);
  QDir(history_->path()).mkdir("99");  // a damaged entry: listed, never chosen
  QList<QStringList> lines;
  History([&](THistoryDialog& dialog) {
    QVERIFY(dialog.Where().startsWith("Kept in " + history_->path()));
    QVERIFY(!dialog.ChooseLine(0));
    QVERIFY(!dialog.CanTakeBack());
    QVERIFY(dialog.ChooseLine(2));
    dialog.TakeBack();
    for (int i = 0; i < dialog.LineCount(); ++i)
      lines << dialog.Line(i).mid(2, 2);
  });
  QCOMPARE(fixture_->Phone.Get(18, 9), Program(3000, "Calc"));
  QCOMPARE(Slots()[BigRow].Caption, QStringLiteral("Calc"));
  QVERIFY(!fixture_->Phone.Holds(2, 10));
  QVERIFY2(fixture_->LastBox().Text.contains("(Upload of 18-9): the section holds "),
           qPrintable(fixture_->LastBox().Text));
  // Read again after the undo, which is a change of its own; newest first.
  const QList<QStringList> expected{
      {"18-9", "Undo of 1"}, {"", "damaged"}, {"2-10", "Clear"}, {"18-9", "Upload (taken back)"}};
  QCOMPARE(lines, expected);
}

void TestUndo::historyOffIsSaid() {
  QCOMPARE(Undo()->text(), QStringLiteral("&Undo"));
  QVERIFY(!Undo()->isEnabled());  // on, but nothing changed yet
  // A manager whose history is turned off.
  fixture_.reset();
  fixture_ = std::make_unique<TManagerFixture>();
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  Make(Upload);
  QVERIFY(!Undo()->isEnabled());
  History([this](THistoryDialog& dialog) {
    QCOMPARE(dialog.LineCount(), 0);
    QVERIFY(dialog.Where().contains("Keep=0 in " + Window().SettingsPath()));
  });
}

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
