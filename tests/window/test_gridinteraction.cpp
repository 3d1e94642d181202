// The main window's grid as the user works it: the context menu's enabled sets, the right
// press, the keyboard and the shortcuts, the file dialogs' titles, dropped files and the
// header's column edge. Every box the user would see is read from the scripted modal
// interface.

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

#include "app/drawgrid.h"
#include "app/mainwindow.h"
#include "tests/support/windowtest.h"

Q_DECLARE_METATYPE(TSlotKind)

class TestGridInteraction : public TWindowTest {
  Q_OBJECT
 public:
  TestGridInteraction() : TWindowTest(TManagerFixture::Unshown) {}

 private Q_SLOTS:
  void menuEnablesByTheCurrentRow_data();
  void menuEnablesByTheCurrentRow();
  void rightPressSelectsTheRowUnderIt();
  void leftButtonOpensNothing();
  void headerRightClickUsesTheCurrentRow();
  void keyboardMovesTheCurrentRow();
  void keyboardOpensTheMenuAtTheRow_data();
  void keyboardOpensTheMenuAtTheRow();
  void shortcutsActOnTheCurrentRow();
  void deleteKeyAsksFirst_data();
  void deleteKeyAsksFirst();
  void fileDialogsNameTheirSlot();
  void droppedFileUploadsWithTheSamePrompt();
  void refusedDrops_data();
  void refusedDrops();
  void headerEdgeResizesAColumn();

 private:
  QString EnabledActions() const;
  // Drags the data onto the row (-1: below the rows); true when the grid took it as a copy.
  bool Drop(QMimeData* data, int row) const;
};

// The seven menu actions in menu order, as "RUL.." with a dot for a greyed one.
QString TestGridInteraction::EnabledActions() const {
  QString shown;
  const QList<QAction*> actions = PopupMenu()->actions();
  const QString letters = QStringLiteral("RULCDGV");
  for (int i = 0; i < letters.size(); ++i)
    shown += actions.at(i)->isEnabled() ? letters.at(i) : QLatin1Char('.');
  return shown;
}

void TestGridInteraction::menuEnablesByTheCurrentRow_data() {
  QTest::addColumn<TSlotKind>("kind");
  QTest::addColumn<quint32>("formatTag");
  QTest::addColumn<QString>("enabled");  // Refresh Upload LZO Clear Download PlayGIF Convert
  QTest::newRow("empty") << skEmpty << 0u << "RUL....";
  QTest::newRow("UFIF 2.0 program") << skProgram << 0x20000000u << "RULCD.V";
  QTest::newRow("UFIF 2 labelled, not 2.0") << skProgram << 0x20000005u << "RULCD..";
  QTest::newRow("sizes only") << skProgram << 0u << "RULCD..";
  QTest::newRow("GIF") << skGIF << 0u << "RULCDG.";
  QTest::newRow("other") << skOther << 0u << "RULCD..";
}

void TestGridInteraction::menuEnablesByTheCurrentRow() {
  QFETCH(TSlotKind, kind);
  QFETCH(quint32, formatTag);
  QFETCH(QString, enabled);
  fixture_->Show();
  Slots()[3].Kind = kind;
  Slots()[3].FormatTag = formatTag;
  // Pressed and released over row 3: the row pointed at decides.
  QTest::mouseClick(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(1, 3).center());
  QVERIFY(PopupMenu()->isVisible());
  PopupMenu()->hide();
  QCOMPARE(EnabledActions(), enabled);
}

// With another row current, a right click on an empty row offers that row's commands and
// Upload goes there.
void TestGridInteraction::rightPressSelectsTheRowUnderIt() {
  fixture_->Show();
  Slots()[1].Kind = skGIF;
  Slots()[8].Caption = QStringLiteral("< Empty >");
  Window().SelectRow(1);
  QTest::mousePress(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(0, 8).center());
  QCOMPARE(Window().CurrentRow(), 8);
  QVERIFY(!PopupMenu()->isVisible());  // the release opens it
  QTest::mouseRelease(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                      fixture_->Grid()->CellRect(0, 8).center());
  QVERIFY(PopupMenu()->isVisible());
  PopupMenu()->hide();
  QCOMPARE(EnabledActions(), QStringLiteral("RUL...."));
  QCOMPARE(Window().CurrentSlotAddress(), (TSectionAddress{18, 16}));
  fixture_->Modal.OpenFileNames.enqueue(QString());
  Control<QAction>("UploadAction")->trigger();
  QCOMPARE(fixture_->Modal.FileDialogTitles, QStringList{"Upload into 18-16"});
}

void TestGridInteraction::leftButtonOpensNothing() {
  fixture_->Show();
  Slots()[2].Kind = skGIF;
  for (QAction* action : PopupMenu()->actions())
    action->setEnabled(false);
  QTest::mouseClick(fixture_->Grid()->viewport(), Qt::LeftButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(1, 2).center());
  QCOMPARE(Window().CurrentRow(), 2);
  QVERIFY(!PopupMenu()->isVisible());
  QCOMPARE(EnabledActions(), QStringLiteral("......."));
  Window().DrawGrid1MouseUp(Qt::MiddleButton);
  QVERIFY(!PopupMenu()->isVisible());
}

void TestGridInteraction::headerRightClickUsesTheCurrentRow() {
  fixture_->Show();
  Slots()[5].Kind = skGIF;
  Window().SelectRow(5);
  QTest::mouseClick(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(1, 0).center());
  QVERIFY(PopupMenu()->isVisible());
  PopupMenu()->hide();
  QCOMPARE(EnabledActions(), QStringLiteral("RULCDG."));
}

void TestGridInteraction::keyboardMovesTheCurrentRow() {
  fixture_->Show();
  TDrawGrid* grid = fixture_->Grid();
  QCOMPARE(grid->Row(), 1);
  QTest::keyClick(grid, Qt::Key_Up);
  QCOMPARE(grid->Row(), 1);
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);
  QCOMPARE(grid->Row(), 3);
  QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
  QCOMPARE(grid->Row(), 26);
  QVERIFY(grid->TopRow() > 1);  // scrolled so that the row shows
  QVERIFY(grid->CellRect(0, 26).bottom() < grid->viewport()->height());
  QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
  QCOMPARE(grid->Row(), 1);
  QCOMPARE(grid->TopRow(), 1);
  // As in a table whose rows are selected whole: Home and End alone go to the ends too.
  QTest::keyClick(grid, Qt::Key_PageDown);
  QCOMPARE(grid->Row(), 1 + grid->viewport()->height() / 30 - 1);
  QTest::keyClick(grid, Qt::Key_End);
  QCOMPARE(grid->Row(), 26);
  QTest::keyClick(grid, Qt::Key_PageUp);
  QCOMPARE(grid->Row(), 26 - (grid->viewport()->height() / 30 - 1));
  QTest::keyClick(grid, Qt::Key_Home);
  QCOMPARE(grid->Row(), 1);
}

void TestGridInteraction::keyboardOpensTheMenuAtTheRow_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
  QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void TestGridInteraction::keyboardOpensTheMenuAtTheRow() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  fixture_->Show();
  Slots()[3].Kind = skGIF;
  TDrawGrid* grid = fixture_->Grid();
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  QVERIFY(PopupMenu()->isVisible());
  const QPoint at = PopupMenu()->pos();
  PopupMenu()->hide();
  QCOMPARE(EnabledActions(), QStringLiteral("RULCDG."));
  const QRect row = grid->CellRect(1, 3);
  QCOMPARE(at, grid->viewport()->mapToGlobal(QPoint(row.left() + 20, row.center().y())));
}

void TestGridInteraction::shortcutsActOnTheCurrentRow() {
  fixture_->Phone.Put(18, 11, Program(700, "Calc"));
  fixture_->Show();
  Window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Window()));
  TDrawGrid* grid = fixture_->Grid();
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_End);
  QTest::keyClick(grid, Qt::Key_Home);
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);

  QTest::keyClick(grid, Qt::Key_F5);
  QCOMPARE(Slots()[3].Caption, QStringLiteral("Calc"));
  QCOMPARE(fixture_->Status(), QStringLiteral("Refreshed!"));
  fixture_->Modal.OpenFileNames.enqueue(QString());
  QTest::keyClick(grid, Qt::Key_U, Qt::ControlModifier);
  fixture_->Modal.SaveFileNames.enqueue(fixture_->FilePath(QStringLiteral("calc.bin")));
  QTest::keyClick(grid, Qt::Key_D, Qt::ControlModifier);
  QCOMPARE(fixture_->FileBytes(QStringLiteral("calc.bin")), Program(700, "Calc"));
  QCOMPARE(fixture_->Modal.FileDialogTitles, (QStringList{"Upload into 18-11", "Download 18-11"}));

  // The menu's enabling holds for the keys: nothing to download from an empty slot.
  Window().SelectRow(1);
  Slots()[1].Caption = QStringLiteral("< Empty >");
  QTest::keyClick(grid, Qt::Key_D, Qt::ControlModifier);
  QCOMPARE(fixture_->Status(), QStringLiteral("Download does not apply to 18-9."));
  QCOMPARE(fixture_->Modal.FileDialogTitles.size(), 2);

  // Ctrl+F5 anywhere in the window: Full Refresh.
  Control<QPushButton>("Button7")->setFocus();
  QTest::keyClick(Control<QPushButton>("Button7"), Qt::Key_F5, Qt::ControlModifier);
  QCOMPARE(fixture_->Modal.ShownTexts().last(), QStringLiteral("Update done!"));

  // The menu shows the keys.
  QCOMPARE(Control<QAction>("RefreshAction")->shortcut(), QKeySequence(Qt::Key_F5));
  QCOMPARE(Control<QAction>("UploadAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_U));
  QCOMPARE(Control<QAction>("DownloadAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
  QCOMPARE(Control<QAction>("ClearAction")->shortcut(), QKeySequence(Qt::Key_Delete));
}

void TestGridInteraction::deleteKeyAsksFirst_data() {
  QTest::addColumn<bool>("answer");
  QTest::newRow("OK clears") << true;
  QTest::newRow("Cancel keeps") << false;
}

// The key asks; the menu item does not.
void TestGridInteraction::deleteKeyAsksFirst() {
  QFETCH(bool, answer);
  fixture_->Phone.Put(18, 10, Program(700, "Calc"));
  fixture_->Show();
  Window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Window()));
  Window().SelectRow(2);
  Control<QAction>("RefreshAction")->trigger();
  fixture_->Modal.ConfirmAnswers.enqueue(answer);
  fixture_->Grid()->setFocus();
  QTest::keyClick(fixture_->Grid(), Qt::Key_Delete);
  QCOMPARE(fixture_->Modal.Shown.first().Kind, TShownBox::Confirmation);
  QCOMPARE(fixture_->Modal.Shown.first().Text,
           QStringLiteral("Are you sure to clear section 18-10?"));
  QCOMPARE(fixture_->Phone.Get(18, 10).isEmpty(), answer);

  fixture_->Phone.Put(18, 10, Program(700, "Calc"));
  Control<QAction>("RefreshAction")->trigger();
  fixture_->Modal.Clear();
  Control<QAction>("ClearAction")->trigger();
  QVERIFY(fixture_->Phone.Get(18, 10).isEmpty());
  QVERIFY(!fixture_->Modal.ShownTexts().contains("Are you sure to clear section 18-10?"));
}

void TestGridInteraction::fileDialogsNameTheirSlot() {
  fixture_->Phone.Put(2, 18, PrefRecord({3, 0, 20, 2, 9, 18, 0, 0}));
  fixture_->Phone.Put(2, 12, PlainData(100));
  fixture_->Show();
  Window().SelectRow(24);
  const struct {
    QAction* Action;
    QAbstractButton* Button;
  } commands[] = {{Control<QAction>("UploadAction"), nullptr},
                  {Control<QAction>("UploadLZOAction"), nullptr},
                  {Control<QAction>("DownloadAction"), nullptr},
                  {nullptr, Control<QPushButton>("Button5")},
                  {nullptr, Control<QPushButton>("Button6")}};
  fixture_->Modal.ConfirmAnswers.enqueue(true);
  for (const auto& command : commands) {
    fixture_->Modal.OpenFileNames.enqueue(QString());
    fixture_->Modal.SaveFileNames.enqueue(QString());
    if (command.Action)
      command.Action->trigger();
    else
      command.Button->click();
  }
  QCOMPARE(fixture_->Modal.FileDialogTitles,
           (QStringList{"Upload into 2-12", "Upload LZO-compressed into 2-12", "Download 2-12",
                        "Upload library into 2-20", "Upload PRG3 library into 2-16"}));
  fixture_->Modal.OpenFileNames.clear();
  fixture_->Modal.SaveFileNames.clear();
}

bool TestGridInteraction::Drop(QMimeData* data, int row) const {
  QWidget* viewport = fixture_->Grid()->viewport();
  const QPoint at =
      row >= 0 ? fixture_->Grid()->CellRect(1, row).center() : QPoint(10, viewport->height() - 2);
  // As a drag from the desktop arrives: entered (which makes the grid the target), then dropped.
  QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  delete data;
  return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

// The drop's menu runs the same upload as the context menu's, with the dropped file in
// place of the dialog: the UFIF 2.0 program is offered the conversion, then written.
void TestGridInteraction::droppedFileUploadsWithTheSamePrompt() {
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=5\nSmallSlots=2\n");
  fixture_->Show();
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  auto* data = new QMimeData;
  data->setUrls({QUrl::fromLocalFile(fixture_->PutFile(QStringLiteral("drop.bin"), program))});
  QVERIFY(Drop(data, 4));
  QCOMPARE(Window().CurrentRow(), 4);
  // The menu goes once it closes, which the upload's dialogs may make it do.
  const QPointer<QMenu> menu = Window().findChild<QMenu*>(QStringLiteral("DropMenu"));
  QVERIFY(menu && menu->isVisible());
  QCOMPARE(menu->actions().size(), 2);
  QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Upload"));
  QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("Upload LZO-Compressed"));
  fixture_->Modal.DialogScripts.enqueue([](QDialog*) { return int(mrNo); });
  menu->actions().at(0)->trigger();
  if (menu)
    menu->hide();
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{"OKBottomDlg"});
  QVERIFY(fixture_->Modal.FileDialogTitles.isEmpty());
  QCOMPARE(fixture_->Phone.Get(18, 12), program);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Section uploaded sucsessfully!"});
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploaded!"));
}

void TestGridInteraction::refusedDrops_data() {
  QTest::addColumn<QStringList>("urls");  // "file:NAME" for a file of the test, "dir:" its folder
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("message");
  QTest::newRow("header row") << QStringList{"file:a.bin"} << 0
                              << "Drop refused: drop the file onto a slot's row.";
  QTest::newRow("below the rows") << QStringList{"file:a.bin"} << -1
                                  << "Drop refused: drop the file onto a slot's row.";
  QTest::newRow("a file and a folder")
      << QStringList{"file:a.bin", "dir:"} << 2 << "Drop refused: a folder cannot be uploaded.";
  QTest::newRow("folder") << QStringList{"dir:"} << 2
                          << "Drop refused: a folder cannot be uploaded.";
  QTest::newRow("web address") << QStringList{"http://example.com/a.bin"} << 2
                               << "Drop refused: only a file on this computer can be uploaded.";
  QTest::newRow("text") << QStringList{} << 2
                        << "Drop refused: only a file on this computer can be uploaded.";
}

void TestGridInteraction::refusedDrops() {
  QFETCH(QStringList, urls);
  QFETCH(int, row);
  QFETCH(QString, message);
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=5\nSmallSlots=2\n");
  fixture_->Show();
  Window().SelectRow(3);
  auto* data = new QMimeData;
  QList<QUrl> list;
  for (const QString& url : urls) {
    if (url.startsWith(QLatin1String("file:")))
      list << QUrl::fromLocalFile(fixture_->PutFile(url.mid(5), "bytes"));
    else if (url == QLatin1String("dir:"))
      list << QUrl::fromLocalFile(QDir::currentPath());
    else
      list << QUrl(url);
  }
  if (list.isEmpty())
    data->setText(QStringLiteral("some text"));
  else
    data->setUrls(list);
  QVERIFY(!Drop(data, row));
  QCOMPARE(fixture_->Status(), message);
  QCOMPARE(Window().CurrentRow(), 3);
  QVERIFY(!Window().findChild<QMenu*>(QStringLiteral("DropMenu")));
  QVERIFY(fixture_->Phone.Journal().isEmpty());
}

void TestGridInteraction::headerEdgeResizesAColumn() {
  fixture_->Show();
  TDrawGrid* grid = fixture_->Grid();
  QWidget* viewport = grid->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(75, 10));
  QTest::mouseMove(viewport, QPoint(100, 12));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(100, 12));
  QCOMPARE(grid->ColWidth(0), 100);
  QCOMPARE(grid->Row(), 1);  // a press on the header selects nothing
}

QTEST_MAIN(TestGridInteraction)
#include "test_gridinteraction.moc"
