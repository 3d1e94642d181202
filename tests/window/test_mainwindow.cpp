// The main window against the virtual phone: full refresh, the Refresh action, the context
// menu's enabled sets, the keyboard, dropped files, the file dialogs' titles, the settings
// file, the serial port, resizing, the options dialog and the about box. Every box the user
// would see is read from the scripted modal interface.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QtTest>

#include "app/aboutbox.h"
#include "app/drawgrid.h"
#include "app/mainwindow.h"
#include "link/nvmsection.h"
#include "tests/support/managerfixture.h"
#include "ufif/ui/expertsform.h"
#include "ui_aboutbox.h"
#include "ui_expertsform.h"
#include "ui_mainwindow.h"

Q_DECLARE_METATYPE(TSlotKind)

class TestMainWindow : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();

  void fullRefreshOfAnEmptyPhone();
  void fullRefreshRecognisesContent();
  void sizeFailureSkipsTheRestOfItsRange();
  void linkFailureEndsTheFullRefresh();
  void fullRefreshWithoutBigSlots();
  void refreshActionOnTheFirstSmallRow();
  void refreshActionReportsRefreshedAfterAFailure();
  void sizesOnlyWithoutAdditionalInfo();
  void refreshOutsideTheRangesTouchesOnlyTheScratchRecord();

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
  void windowsCarryTheProgramsIdentity();

  void firstStartUsesDefaultsAndCloseWritesAllKeys();
  void storedRangesSetTheRowCount();
  void portChoiceReachesTheLinkAndTheFile();
  void portBoxRefusesAPortItDoesNotHave();
  void resizeGivesColumnOneTheRest();
  void closeWithAnUnwritableSettingsFile();

  void optionsShowTheStoredValues();
  void optionsOkTakesTheRanges();
  void optionsDefaultThenOk();
  void optionsOkGivesBackTheLoadedRanges_data();
  void optionsOkGivesBackTheLoadedRanges();
  void optionsCancelUndoesEveryChange();
  void optionsOkStoresTheFirmware();
  void optionsRefuseBadFields_data();
  void optionsRefuseBadFields();
  void optionsTakeNothingFromBadFieldsEvenOnOk();
  void optionsKeepTheGridInStepWhenTheSaveFails();

  void aboutBox();

 private:
  void ClickOk(QDialog* dialog) const;
  QStringList SizeQueries() const;
  QString EnabledActions() const;
  // Drags the data onto the row (-1: below the rows); true when the grid took it as a copy.
  bool Drop(QMimeData* data, int row) const;

  std::unique_ptr<TManagerFixture> fixture_;
};

void TestMainWindow::init() {
  fixture_ = std::make_unique<TManagerFixture>(TManagerFixture::Unshown);
}

void TestMainWindow::cleanup() {
  if (fixture_)
    QVERIFY2(fixture_->Modal.Unexpected.isEmpty(),
             qPrintable(fixture_->Modal.Unexpected.join(QLatin1Char('\n'))));
  fixture_.reset();
}

QStringList TestMainWindow::SizeQueries() const {
  QStringList queries;
  for (const QString& line : fixture_->Phone.Journal())
    if (line.startsWith(QLatin1String("GetNVMFileSize(")))
      queries << line.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0);
  return queries;
}

// The seven menu actions in menu order, as "RUL.." with a dot for a greyed one.
QString TestMainWindow::EnabledActions() const {
  QString shown;
  const QList<QAction*> actions = Form1->PopupMenu1->actions();
  const QString letters = QStringLiteral("RULCDGV");
  for (int i = 0; i < letters.size(); ++i)
    shown += actions.at(i)->isEnabled() ? letters.at(i) : QLatin1Char('.');
  return shown;
}

void TestMainWindow::ClickOk(QDialog* dialog) const {
  dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
}

void TestMainWindow::fullRefreshOfAnEmptyPhone() {
  fixture_->Show();
  Form1->ui->Button1->click();

  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("GetNVMFileSize")), 26);
  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("ReadNVMFile")), 0);
  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("InitGBPMode")), 1);
  const QStringList queries = SizeQueries();
  QCOMPARE(queries.first(), QStringLiteral("18,9"));
  QCOMPARE(queries.at(20), QStringLiteral("18,29"));
  QCOMPARE(queries.at(21), QStringLiteral("2,10"));
  QCOMPARE(queries.last(), QStringLiteral("2,14"));
  for (int row = 1; row <= 26; ++row) {
    QCOMPARE(Form1->Slots[row].Kind, skEmpty);
    QCOMPARE(Form1->Slots[row].Caption, QStringLiteral("< Empty >"));
    QCOMPARE(Form1->Slots[row].IconIndex, 110);
  }
  QCOMPARE(Form1->Slots[27].Caption, QString());
  QCOMPARE(Form1->StatusText(), QStringLiteral("Updated!"));
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->Modal.Shown.first().Text, QStringLiteral("Update done!"));
  QCOMPARE(fixture_->Modal.Shown.first().Caption, QString());
  QVERIFY(!QApplication::overrideCursor());
  QVERIFY(!Form1->NVM->LinkOpen());
}

void TestMainWindow::fullRefreshRecognisesContent() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  fixture_->Phone.Put(2, 11, QByteArray("GIF89a") + QByteArray(500, '\1'));
  // A PRG3 library's release word; recognised only when more than 16 bytes were read.
  const QByteArray library = QByteArray::fromHex("01000000AAAAAA00BBBBBB00CCCCCC00");
  fixture_->Phone.Put(18, 10, library);
  fixture_->Phone.Put(18, 11, library + QByteArray(1, '\7'));
  fixture_->Show();
  Form1->ui->Button1->click();

  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("ReadNVMFile")), 4);
  QCOMPARE(Form1->Slots[2].Caption, QStringLiteral("< Data >"));
  QCOMPARE(Form1->Slots[3].Caption, QStringLiteral("< PRG3 ExtLibrary ver.1>"));
  const TSlotInfo& program = Form1->Slots[1];
  QCOMPARE(program.Kind, skProgram);
  QCOMPARE(program.Caption, QStringLiteral("Calc"));
  QCOMPARE(program.Size, 3000);
  QCOMPARE(program.FormatTag, 0x20000000u);
  QCOMPARE(program.IconIndex, 107);
  QCOMPARE(Form1->Slots[23].Kind, skGIF);
  QCOMPARE(Form1->Slots[23].Caption, QStringLiteral("< GIF-File >"));
}

void TestMainWindow::sizeFailureSkipsTheRestOfItsRange() {
  fixture_->Phone.Put(18, 12, Program(100, "Later"));
  fixture_->Phone.SetFaults(QStringLiteral("size 18-11=-7"));
  fixture_->Show();
  TSlotInfo marker;
  marker.Kind = skOther;
  marker.Caption = QStringLiteral("before");
  for (int row = 1; row <= 26; ++row)
    Form1->Slots[row] = marker;
  Form1->ui->Button1->click();

  QCOMPARE(SizeQueries(),
           (QStringList{"18,9", "18,10", "18,11", "2,10", "2,11", "2,12", "2,13", "2,14"}));
  QCOMPARE(Form1->Slots[1].Caption, QStringLiteral("< Empty >"));
  QCOMPARE(Form1->Slots[2].Caption, QStringLiteral("< Empty >"));
  for (int row = 3; row <= 21; ++row)
    QCOMPARE(Form1->Slots[row], marker);
  for (int row = 22; row <= 26; ++row)
    QCOMPARE(Form1->Slots[row].Caption, QStringLiteral("< Empty >"));
  QCOMPARE(fixture_->Modal.ShownTexts(),
           (QStringList{"Error getting section 18-11 size", "Update done!"}));
  QCOMPARE(fixture_->Modal.Shown.first().Caption, QStringLiteral("ERROR"));
  QCOMPARE(Form1->StatusText(), QStringLiteral("Updated!"));
}

void TestMainWindow::linkFailureEndsTheFullRefresh() {
  fixture_->Phone.SetFaults(QStringLiteral("init=-3"));
  fixture_->Show();
  Form1->ui->Button1->click();

  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->Modal.Shown.first().Caption, QStringLiteral("ERROR"));
  QVERIFY(fixture_->Modal.Shown.first().Text.startsWith(QLatin1String("GBP Error: ")));
  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("GetNVMFileSize")), 0);
  QCOMPARE(Form1->StatusText(), QString());
  QCOMPARE(Form1->Slots[1].Caption, QString());
  QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindow::fullRefreshWithoutBigSlots() {
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=0\n");
  fixture_->Show();
  QCOMPARE(fixture_->Grid()->RowCount(), 6);
  Form1->ui->Button1->click();

  QCOMPARE(SizeQueries(), (QStringList{"2,10", "2,11", "2,12", "2,13", "2,14"}));
  for (int row = 1; row <= 5; ++row)
    QCOMPARE(Form1->Slots[row].Caption, QStringLiteral("< Empty >"));
  QCOMPARE(Form1->StatusText(), QStringLiteral("Updated!"));
}

void TestMainWindow::refreshActionOnTheFirstSmallRow() {
  fixture_->Phone.Put(2, 10, QByteArray("GIF87a") + QByteArray(40, '\0'));
  fixture_->Show();
  Form1->SelectRow(22);
  Form1->ui->RefreshAction->trigger();

  QCOMPARE(fixture_->Phone.Journal(),
           (QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(2,10) = 46",
                        "ReadNVMFile(2,10,128) = 46", "EndGBPMode() = 0"}));
  QCOMPARE(Form1->Slots[22].Kind, skGIF);
  QCOMPARE(Form1->Slots[22].Size, 46);
  QCOMPARE(Form1->StatusText(), QStringLiteral("Refreshed!"));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
}

void TestMainWindow::refreshActionReportsRefreshedAfterAFailure() {
  fixture_->Phone.Put(18, 10, Program(500, "Old"));
  fixture_->Phone.SetFaults(QStringLiteral("read 18-10=-5"));
  fixture_->Show();
  Form1->SelectRow(2);
  Form1->ui->RefreshAction->trigger();

  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Error reading section 18-10"});
  QCOMPARE(fixture_->Modal.Shown.first().Caption, QStringLiteral("ERROR"));
  QCOMPARE(Form1->Slots[2], TSlotInfo{});  // not even the size is taken
  QCOMPARE(Form1->StatusText(), QStringLiteral("Refreshed!"));
}

void TestMainWindow::sizesOnlyWithoutAdditionalInfo() {
  fixture_->Phone.Put(18, 9, Program(5000, "Calc"));
  fixture_->Show();
  Form1->ui->CheckBox1->setChecked(false);
  Form1->ui->Button1->click();

  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("ReadNVMFile")), 0);
  QCOMPARE(Form1->Slots[1].Kind, skProgram);
  QCOMPARE(Form1->Slots[1].Size, 5000);
  QCOMPARE(Form1->Slots[1].Caption, QString());
  QCOMPARE(Form1->Slots[1].IconIndex, -1);
}

void TestMainWindow::refreshOutsideTheRangesTouchesOnlyTheScratchRecord() {
  fixture_->Phone.Put(17, 3, QByteArray("GIF89a") + QByteArray(10, '\0'));
  fixture_->Show();
  QVERIFY(Form1->NVM->InitGBP());
  QCOMPARE(Form1->RefreshSection(17, 3), 16);
  Form1->NVM->EndGBP();
  QCOMPARE(Form1->Slots[0].Kind, skGIF);
  for (int row = 1; row < SlotTableSize; ++row)
    QCOMPARE(Form1->Slots[row], TSlotInfo{});
  QCOMPARE(Form1->StatusText(), QStringLiteral("Refreshing section 17-3..."));
}

void TestMainWindow::menuEnablesByTheCurrentRow_data() {
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

void TestMainWindow::menuEnablesByTheCurrentRow() {
  QFETCH(TSlotKind, kind);
  QFETCH(quint32, formatTag);
  QFETCH(QString, enabled);
  fixture_->Show();
  Form1->Slots[3].Kind = kind;
  Form1->Slots[3].FormatTag = formatTag;
  // Pressed and released over row 3: the row pointed at decides.
  QTest::mouseClick(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(1, 3).center());
  QVERIFY(Form1->PopupMenu1->isVisible());
  Form1->PopupMenu1->hide();
  QCOMPARE(EnabledActions(), enabled);
}

// With another row current, a right click on an empty row offers that row's commands and
// Upload goes there.
void TestMainWindow::rightPressSelectsTheRowUnderIt() {
  fixture_->Show();
  Form1->Slots[1].Kind = skGIF;
  Form1->Slots[8].Caption = QStringLiteral("< Empty >");
  Form1->SelectRow(1);
  QTest::mousePress(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(0, 8).center());
  QCOMPARE(Form1->CurrentRow(), 8);
  QVERIFY(!Form1->PopupMenu1->isVisible());  // the release opens it
  QTest::mouseRelease(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                      fixture_->Grid()->CellRect(0, 8).center());
  QVERIFY(Form1->PopupMenu1->isVisible());
  Form1->PopupMenu1->hide();
  QCOMPARE(EnabledActions(), QStringLiteral("RUL...."));
  QCOMPARE(Form1->CurrentSlotAddress(), (TSectionAddress{18, 16}));
  fixture_->Modal.OpenFileNames.enqueue(QString());
  Form1->ui->UploadAction->trigger();
  QCOMPARE(fixture_->Modal.FileDialogTitles, QStringList{"Upload into 18-16"});
}

void TestMainWindow::leftButtonOpensNothing() {
  fixture_->Show();
  Form1->Slots[2].Kind = skGIF;
  for (QAction* action : Form1->PopupMenu1->actions())
    action->setEnabled(false);
  QTest::mouseClick(fixture_->Grid()->viewport(), Qt::LeftButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(1, 2).center());
  QCOMPARE(Form1->CurrentRow(), 2);
  QVERIFY(!Form1->PopupMenu1->isVisible());
  QCOMPARE(EnabledActions(), QStringLiteral("......."));
  Form1->DrawGrid1MouseUp(Qt::MiddleButton);
  QVERIFY(!Form1->PopupMenu1->isVisible());
}

void TestMainWindow::headerRightClickUsesTheCurrentRow() {
  fixture_->Show();
  Form1->Slots[5].Kind = skGIF;
  Form1->SelectRow(5);
  QTest::mouseClick(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(1, 0).center());
  QVERIFY(Form1->PopupMenu1->isVisible());
  Form1->PopupMenu1->hide();
  QCOMPARE(EnabledActions(), QStringLiteral("RULCDG."));
}

void TestMainWindow::keyboardMovesTheCurrentRow() {
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

void TestMainWindow::keyboardOpensTheMenuAtTheRow_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
  QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void TestMainWindow::keyboardOpensTheMenuAtTheRow() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  fixture_->Show();
  Form1->Slots[3].Kind = skGIF;
  TDrawGrid* grid = fixture_->Grid();
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  QVERIFY(Form1->PopupMenu1->isVisible());
  const QPoint at = Form1->PopupMenu1->pos();
  Form1->PopupMenu1->hide();
  QCOMPARE(EnabledActions(), QStringLiteral("RULCDG."));
  const QRect row = grid->CellRect(1, 3);
  QCOMPARE(at, grid->viewport()->mapToGlobal(QPoint(row.left() + 20, row.center().y())));
}

void TestMainWindow::shortcutsActOnTheCurrentRow() {
  fixture_->Phone.Put(18, 11, Program(700, "Calc"));
  fixture_->Show();
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  TDrawGrid* grid = fixture_->Grid();
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_End);
  QTest::keyClick(grid, Qt::Key_Home);
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);

  QTest::keyClick(grid, Qt::Key_F5);
  QCOMPARE(Form1->Slots[3].Caption, QStringLiteral("Calc"));
  QCOMPARE(fixture_->Status(), QStringLiteral("Refreshed!"));
  fixture_->Modal.OpenFileNames.enqueue(QString());
  QTest::keyClick(grid, Qt::Key_U, Qt::ControlModifier);
  fixture_->Modal.SaveFileNames.enqueue(fixture_->FilePath(QStringLiteral("calc.bin")));
  QTest::keyClick(grid, Qt::Key_D, Qt::ControlModifier);
  QCOMPARE(fixture_->FileBytes(QStringLiteral("calc.bin")), Program(700, "Calc"));
  QCOMPARE(fixture_->Modal.FileDialogTitles, (QStringList{"Upload into 18-11", "Download 18-11"}));

  // The menu's enabling holds for the keys: nothing to download from an empty slot.
  Form1->SelectRow(1);
  Form1->Slots[1].Caption = QStringLiteral("< Empty >");
  QTest::keyClick(grid, Qt::Key_D, Qt::ControlModifier);
  QCOMPARE(fixture_->Status(), QStringLiteral("Download does not apply to 18-9."));
  QCOMPARE(fixture_->Modal.FileDialogTitles.size(), 2);

  // Ctrl+F5 anywhere in the window: Full Refresh.
  Form1->ui->Button7->setFocus();
  QTest::keyClick(Form1->ui->Button7, Qt::Key_F5, Qt::ControlModifier);
  QCOMPARE(fixture_->Modal.ShownTexts().last(), QStringLiteral("Update done!"));

  // The menu shows the keys.
  QCOMPARE(Form1->ui->RefreshAction->shortcut(), QKeySequence(Qt::Key_F5));
  QCOMPARE(Form1->ui->UploadAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_U));
  QCOMPARE(Form1->ui->DownloadAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
  QCOMPARE(Form1->ui->ClearAction->shortcut(), QKeySequence(Qt::Key_Delete));
}

void TestMainWindow::deleteKeyAsksFirst_data() {
  QTest::addColumn<bool>("answer");
  QTest::newRow("OK clears") << true;
  QTest::newRow("Cancel keeps") << false;
}

// The key asks; the menu item does not.
void TestMainWindow::deleteKeyAsksFirst() {
  QFETCH(bool, answer);
  fixture_->Phone.Put(18, 10, Program(700, "Calc"));
  fixture_->Show();
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  Form1->SelectRow(2);
  Form1->ui->RefreshAction->trigger();
  fixture_->Modal.ConfirmAnswers.enqueue(answer);
  fixture_->Grid()->setFocus();
  QTest::keyClick(fixture_->Grid(), Qt::Key_Delete);
  QCOMPARE(fixture_->Modal.Shown.first().Kind, TShownBox::Confirmation);
  QCOMPARE(fixture_->Modal.Shown.first().Text,
           QStringLiteral("Are you sure to clear section 18-10?"));
  QCOMPARE(fixture_->Phone.Get(18, 10).isEmpty(), answer);

  fixture_->Phone.Put(18, 10, Program(700, "Calc"));
  Form1->ui->RefreshAction->trigger();
  fixture_->Modal.Clear();
  Form1->ui->ClearAction->trigger();
  QVERIFY(fixture_->Phone.Get(18, 10).isEmpty());
  QVERIFY(!fixture_->Modal.ShownTexts().contains("Are you sure to clear section 18-10?"));
}

void TestMainWindow::fileDialogsNameTheirSlot() {
  fixture_->Phone.Put(2, 18, PrefRecord({3, 0, 20, 2, 9, 18, 0, 0}));
  fixture_->Phone.Put(2, 12, PlainData(100));
  fixture_->Show();
  Form1->SelectRow(24);
  const struct {
    QAction* Action;
    QAbstractButton* Button;
  } commands[] = {{Form1->ui->UploadAction, nullptr},
                  {Form1->ui->UploadLZOAction, nullptr},
                  {Form1->ui->DownloadAction, nullptr},
                  {nullptr, Form1->ui->Button5},
                  {nullptr, Form1->ui->Button6}};
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

bool TestMainWindow::Drop(QMimeData* data, int row) const {
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
void TestMainWindow::droppedFileUploadsWithTheSamePrompt() {
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=5\nSmallSlots=2\n");
  fixture_->Show();
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  auto* data = new QMimeData;
  data->setUrls({QUrl::fromLocalFile(fixture_->PutFile(QStringLiteral("drop.bin"), program))});
  QVERIFY(Drop(data, 4));
  QCOMPARE(Form1->CurrentRow(), 4);
  // The menu goes once it closes, which the upload's dialogs may make it do.
  const QPointer<QMenu> menu = Form1->findChild<QMenu*>(QStringLiteral("DropMenu"));
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

void TestMainWindow::refusedDrops_data() {
  QTest::addColumn<QStringList>("urls");  // "file:NAME" for a file of the test, "dir:" its folder
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("message");
  QTest::newRow("header row") << QStringList{"file:a.bin"} << 0
                              << "Drop refused: drop the file onto a slot's row.";
  QTest::newRow("below the rows") << QStringList{"file:a.bin"} << -1
                                  << "Drop refused: drop the file onto a slot's row.";
  QTest::newRow("two files") << QStringList{"file:a.bin", "file:b.bin"} << 2
                             << "Drop refused: drop one file at a time.";
  QTest::newRow("folder") << QStringList{"dir:"} << 2
                          << "Drop refused: a folder cannot be uploaded.";
  QTest::newRow("web address") << QStringList{"http://example.com/a.bin"} << 2
                               << "Drop refused: only a file on this computer can be uploaded.";
  QTest::newRow("text") << QStringList{} << 2
                        << "Drop refused: only a file on this computer can be uploaded.";
}

void TestMainWindow::refusedDrops() {
  QFETCH(QStringList, urls);
  QFETCH(int, row);
  QFETCH(QString, message);
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=5\nSmallSlots=2\n");
  fixture_->Show();
  Form1->SelectRow(3);
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
  QCOMPARE(Form1->CurrentRow(), 3);
  QVERIFY(!Form1->findChild<QMenu*>(QStringLiteral("DropMenu")));
  QVERIFY(fixture_->Phone.Journal().isEmpty());
}

void TestMainWindow::headerEdgeResizesAColumn() {
  fixture_->Show();
  TDrawGrid* grid = fixture_->Grid();
  QWidget* viewport = grid->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(75, 10));
  QTest::mouseMove(viewport, QPoint(100, 12));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(100, 12));
  QCOMPARE(grid->ColWidth(0), 100);
  QCOMPARE(grid->Row(), 1);  // a press on the header selects nothing
}

void TestMainWindow::firstStartUsesDefaultsAndCloseWritesAllKeys() {
  fixture_->Show();
  QCOMPARE(Form1->pos(), QPoint(240, 20));
  QCOMPARE(Form1->size(), QSize(330, 420));
  QCOMPARE(Form1->ui->ComboBox1->currentIndex(), 0);
  QCOMPARE(Form1->NVM->COMPort(), TNVMSection::cpnCOM1);
  QCOMPARE(CurrentSlotRanges().FirstBig, 9);
  QCOMPARE(CurrentSlotRanges().BigSlots, 21);
  QCOMPARE(CurrentSlotRanges().FirstSmall, 10);
  QCOMPARE(CurrentSlotRanges().SmallSlots, 5);
  QCOMPARE(fixture_->Grid()->RowCount(), 27);
  QCOMPARE(Form1->CurrentSlotAddress(), (TSectionAddress{18, 9}));
  QCOMPARE(ExpertsForm->ui->FWComboBox->currentIndex(), 0);
  QCOMPARE(Form1->StatusText(), QString());
  QCOMPARE(Form1->windowTitle(), QStringLiteral("Kiv Manager 2.0"));

  Form1->close();
  QVERIFY(!Form1->isVisible());
  const QSettings stored(TManagerFixture::SettingsPath(), QSettings::IniFormat);
  QStringList keys = stored.allKeys();
  keys.sort();
  QCOMPARE(keys, (QStringList{"Form/Height", "Form/Left", "Form/Top", "Form/Width",
                              "Manager/BigSlots", "Manager/COM-Port", "Manager/FirstBig",
                              "Manager/FirstSmall", "Manager/SmallSlots", "Manager/UFIFFW"}));
  const QString text = TManagerFixture::ReadSettings();
  for (const char* line :
       {"Top=20", "Left=240", "Width=330", "Height=420", "COM-Port=0", "FirstBig=9", "BigSlots=21",
        "FirstSmall=10", "SmallSlots=5", "UFIFFW=0"})
    QVERIFY2(text.contains(QLatin1String(line)), line);
}

void TestMainWindow::storedRangesSetTheRowCount() {
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=26\nSmallSlots=12\nFirstSmall=$14\n");
  fixture_->Show();
  QCOMPARE(fixture_->Grid()->RowCount(), 39);
  QCOMPARE(SlotAddress(27, CurrentSlotRanges()), (TSectionAddress{2, 20}));
  QCOMPARE(ExpertsForm->ui->SSME1->text(), QStringLiteral("20"));
  QCOMPARE(ExpertsForm->ui->SSME2->text(), QStringLiteral("31"));

  TManagerFixture::WriteSettings("[Manager]\nBigSlots=90\nSmallSlots=90\n");
  Form1->LoadSettings();
  QCOMPARE(fixture_->Grid()->RowCount(), 100);  // 99 slot rows, the table's limit
}

void TestMainWindow::portChoiceReachesTheLinkAndTheFile() {
  fixture_->Phone.AddPort(3);
  fixture_->Show();
  Form1->ui->ComboBox1->setCurrentIndex(2);
  QCOMPARE(Form1->NVM->COMPort(), TNVMSection::cpnCOM3);
  Form1->ui->Button1->click();
  QCOMPARE(fixture_->Phone.Journal().first(), QStringLiteral("InitGBPMode(3) = 0"));
  Form1->close();
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("COM-Port=2")));
}

// Text that names no port of the box is refused: the box shows the port in use again.
void TestMainWindow::portBoxRefusesAPortItDoesNotHave() {
  fixture_->Show();
  QComboBox* box = Form1->ui->ComboBox1;
  box->setCurrentIndex(1);
  QLineEdit* edit = box->lineEdit();
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("COM9"));
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(box->currentText(), QStringLiteral("COM2"));
  QCOMPARE(box->currentIndex(), 1);
  QCOMPARE(Form1->NVM->COMPort(), TNVMSection::cpnCOM2);
  QCOMPARE(Form1->StatusText(),
           QStringLiteral("There is no port COM9 (only COM1 to COM4): the link stays on COM2."));

  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("com3"));
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(box->currentText(), QStringLiteral("COM3"));
  QCOMPARE(Form1->NVM->COMPort(), TNVMSection::cpnCOM3);
}

void TestMainWindow::resizeGivesColumnOneTheRest() {
  fixture_->Show();
  TDrawGrid* grid = fixture_->Grid();
  for (const int width : {600, 260}) {
    Form1->resize(width, 420);
    QCoreApplication::processEvents();
    QCOMPARE(grid->ColWidth(0), 75);
    QCOMPARE(grid->ColWidth(2), 64);
    QCOMPARE(grid->ColWidth(0) + grid->ColWidth(1) + grid->ColWidth(2), grid->ClientWidth());
  }
  // 26 slot rows do not fit: the vertical scroll bar takes its width from column 1, so no
  // horizontal one is needed.
  QVERIFY(grid->verticalScrollBar()->isVisible());
  QVERIFY(!grid->horizontalScrollBar()->isVisible());
}

void TestMainWindow::closeWithAnUnwritableSettingsFile() {
  fixture_->Show();
  QVERIFY(QDir().mkpath(TManagerFixture::SettingsPath()));  // a folder where the file should be
  Form1->close();
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->Modal.Shown.first().Kind, TShownBox::Error);
  QCOMPARE(fixture_->Modal.Shown.first().Text,
           QStringLiteral("Unable to write to ") + TManagerFixture::SettingsPath() + ".");
  QVERIFY(!Form1->isVisible());  // the user is not kept in the program
}

void TestMainWindow::optionsShowTheStoredValues() {
  fixture_->Show();
  QStringList seen;
  fixture_->Modal.DialogScripts << [&seen](QDialog*) {
    seen << ExpertsForm->ui->BSME1->text() << ExpertsForm->ui->BSME2->text()
         << ExpertsForm->ui->SSME1->text() << ExpertsForm->ui->SSME2->text()
         << ExpertsForm->ui->FWComboBox->currentText() << ExpertsForm->windowTitle();
    return int(mrCancel);
  };
  Form1->ui->Button7->click();
  QCOMPARE(seen,
           (QStringList{"09", "29", "10", "14", "0x370000 - J7/70 3.10/4", "Manager options"}));
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{"ExpertsForm"});
  // The settings were saved before the dialog opened.
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("FirstBig=9")));
}

void TestMainWindow::optionsOkTakesTheRanges() {
  fixture_->Show();
  Form1->Slots[1].Caption = QStringLiteral("stale");
  fixture_->Modal.DialogScripts << [this](QDialog* dialog) {
    ExpertsForm->ui->BSME1->setText(QStringLiteral("05"));
    ExpertsForm->ui->BSME2->setText(QStringLiteral("20"));
    ClickOk(dialog);
    return dialog->result();
  };
  Form1->ui->Button7->click();
  QCOMPARE(CurrentSlotRanges().FirstBig, 5);
  QCOMPARE(CurrentSlotRanges().BigSlots, 16);
  QCOMPARE(fixture_->Grid()->RowCount(), 22);
  QCOMPARE(Form1->Slots[1].Caption, QString());
  const QString text = TManagerFixture::ReadSettings();
  QVERIFY(text.contains(QLatin1String("FirstBig=5")));
  QVERIFY(text.contains(QLatin1String("BigSlots=16")));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
}

void TestMainWindow::optionsDefaultThenOk() {
  TManagerFixture::WriteSettings("[Manager]\nFirstBig=3\nBigSlots=4\nFirstSmall=1\nSmallSlots=2\n");
  fixture_->Show();
  fixture_->Modal.DialogScripts << [this](QDialog* dialog) {
    ExpertsForm->ui->Button3->click();
    ClickOk(dialog);
    return dialog->result();
  };
  Form1->ui->Button7->click();
  const TSlotRanges ranges = CurrentSlotRanges();
  QCOMPARE((QList<int>{ranges.FirstBig, ranges.BigSlots, ranges.FirstSmall, ranges.SmallSlots}),
           (QList<int>{9, 21, 10, 5}));
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("SmallSlots=5")));
}

void TestMainWindow::optionsCancelUndoesEveryChange() {
  fixture_->Show();
  fixture_->Modal.DialogScripts << [](QDialog*) {
    ExpertsForm->ui->Button3->click();
    ExpertsForm->ui->BSME1->setText(QStringLiteral("01"));
    ExpertsForm->ui->FWComboBox->setCurrentIndex(6);
    return int(mrCancel);
  };
  Form1->ui->Button7->click();
  QCOMPARE(CurrentSlotRanges().FirstBig, 9);
  QCOMPARE(ExpertsForm->ui->BSME1->text(), QStringLiteral("09"));
  QCOMPARE(ExpertsForm->ui->FWComboBox->currentIndex(), 0);
}

void TestMainWindow::optionsOkGivesBackTheLoadedRanges_data() {
  QTest::addColumn<QByteArray>("stored");
  QTest::addColumn<int>("bigSlots");
  QTest::addColumn<int>("smallSlots");
  QTest::newRow("empty ranges from 0")
      << QByteArray("FirstBig=0\nBigSlots=0\nFirstSmall=0\nSmallSlots=0\n") << 0 << 0;
  QTest::newRow("first beyond two digits") << QByteArray("FirstBig=120\nBigSlots=3\n") << 3 << 5;
  QTest::newRow("running past 99") << QByteArray("FirstBig=90\nBigSlots=20\n") << 10 << 5;
}

// Opening Options and pressing OK unchanged gives back exactly the ranges that were loaded.
void TestMainWindow::optionsOkGivesBackTheLoadedRanges() {
  QFETCH(QByteArray, stored);
  QFETCH(int, bigSlots);
  QFETCH(int, smallSlots);
  TManagerFixture::WriteSettings("[Manager]\n" + stored);
  fixture_->Show();
  const TSlotRanges loaded = CurrentSlotRanges();
  QCOMPARE(loaded.BigSlots, bigSlots);
  QCOMPARE(loaded.SmallSlots, smallSlots);
  fixture_->Modal.DialogScripts << [this](QDialog* dialog) {
    ClickOk(dialog);
    return dialog->result();
  };
  Form1->ui->Button7->click();
  const TSlotRanges back = CurrentSlotRanges();
  QCOMPARE((QList<int>{back.FirstBig, back.BigSlots, back.FirstSmall, back.SmallSlots}),
           (QList<int>{loaded.FirstBig, loaded.BigSlots, loaded.FirstSmall, loaded.SmallSlots}));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
}

void TestMainWindow::optionsOkStoresTheFirmware() {
  fixture_->Show();
  fixture_->Modal.DialogScripts << [this](QDialog* dialog) {
    ExpertsForm->ui->FWComboBox->setCurrentIndex(6);
    ClickOk(dialog);
    return dialog->result();
  };
  Form1->ui->Button7->click();
  QCOMPARE(ExpertsForm->ui->FWComboBox->currentText(), QStringLiteral("0x37BDD8 - Z7 4.5.6/4"));
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("UFIFFW=6")));
}

void TestMainWindow::optionsRefuseBadFields_data() {
  QTest::addColumn<QStringList>("fields");
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("text");
  QTest::newRow("empty last big slot") << QStringList{"05", "", "10", "14"} << int(TShownBox::Error)
                                       << "'' is not a valid integer value.";
  QTest::newRow("empty last small slot")
      << QStringList{"05", "20", "10", ""} << int(TShownBox::Error)
      << "'' is not a valid integer value.";
  QTest::newRow("last big below first")
      << QStringList{"20", "05", "10", "14"} << int(TShownBox::Message)
      << "Invalid big slot range: the last subsection comes before the first one.";
  QTest::newRow("more than 99 slots")
      << QStringList{"00", "99", "00", "10"} << int(TShownBox::Message)
      << "The manager shows at most 99 slots; these ranges hold 111.";
}

// The dialog stays open with the reason; closing it then changes nothing.
void TestMainWindow::optionsRefuseBadFields() {
  QFETCH(QStringList, fields);
  QFETCH(int, kind);
  QFETCH(QString, text);
  fixture_->Show();
  Form1->Slots[2].Caption = QStringLiteral("kept");
  bool stayedOpen = false;
  fixture_->Modal.DialogScripts << [&](QDialog* dialog) {
    ExpertsForm->ui->BSME1->setText(fields[0]);
    ExpertsForm->ui->BSME2->setText(fields[1]);
    ExpertsForm->ui->SSME1->setText(fields[2]);
    ExpertsForm->ui->SSME2->setText(fields[3]);
    ClickOk(dialog);
    stayedOpen = dialog->isVisible();
    return int(mrCancel);
  };
  Form1->ui->Button7->click();
  QVERIFY(stayedOpen);
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(int(fixture_->Modal.Shown.first().Kind), kind);
  QCOMPARE(fixture_->Modal.Shown.first().Text, text);
  const TSlotRanges ranges = CurrentSlotRanges();
  QCOMPARE((QList<int>{ranges.FirstBig, ranges.BigSlots, ranges.FirstSmall, ranges.SmallSlots}),
           (QList<int>{9, 21, 10, 5}));
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("FirstBig=9")));
}

void TestMainWindow::optionsTakeNothingFromBadFieldsEvenOnOk() {
  fixture_->Show();
  fixture_->Modal.DialogScripts << [](QDialog*) {
    ExpertsForm->ui->BSME1->setText(QStringLiteral("05"));
    ExpertsForm->ui->SSME2->clear();
    return int(mrOk);
  };
  Form1->ui->Button7->click();
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"'' is not a valid integer value."});
  QCOMPARE(CurrentSlotRanges().FirstBig, 9);
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("FirstBig=9")));
}

// The new ranges are in force once taken, so the grid must show them although they could
// not be stored: otherwise its rows would address other sections than they show.
void TestMainWindow::optionsKeepTheGridInStepWhenTheSaveFails() {
  fixture_->Show();
  Form1->Slots[1].Caption = QStringLiteral("stale");
  const QString path = TManagerFixture::SettingsPath();
  fixture_->Modal.DialogScripts << [this, &path](QDialog* dialog) {
    QFile::remove(path);  // written as the dialog opened; from now on nothing can be
    QDir().mkpath(path);
    ExpertsForm->ui->BSME1->setText(QStringLiteral("05"));
    ExpertsForm->ui->BSME2->setText(QStringLiteral("20"));
    ClickOk(dialog);
    return dialog->result();
  };
  Form1->ui->Button7->click();
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Unable to write to " + path + "."});
  QCOMPARE(CurrentSlotRanges().BigSlots, 16);
  QCOMPARE(fixture_->Grid()->RowCount(), 22);
  QCOMPARE(Form1->Slots[1].Caption, QString());
  QCOMPARE(ExpertsForm->ui->BSME2->text(), QStringLiteral("20"));
}

void TestMainWindow::aboutBox() {
  fixture_->Show();
  QStringList texts;
  fixture_->Modal.DialogScripts << [&texts](QDialog* dialog) {
    texts << dialog->windowTitle() << AboutBox->ui->ProductName->text()
          << AboutBox->ui->Comments->text() << AboutBox->ui->Copyright->text()
          << AboutBox->ui->LinkCredit->text();
    AboutBox->ui->OKButton->click();
    return dialog->result();
  };
  Form1->ui->Button2->click();
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{"AboutBox"});
  QCOMPARE(texts, (QStringList{"About", "Kiv Manager 2.0",
                               "Simple application for view and modify NVM sections used by "
                               "poplular Kiv-series firmware MOD for Sony Jxx and Z7 phones.",
                               "Kiv Manager 2.0 by the Kiv Manager developers",
                               "Phone link: the GBP phone-link library (gbp.dll)"}));
  QCOMPARE(AboutBox->result(), int(mrOk));
}

// The desktop matches the window to its entry and shows the program's own icon.
void TestMainWindow::windowsCarryTheProgramsIdentity() {
  QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.kivmanager.KivManager"));
  QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Kiv Manager"));
  const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
  QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));
  QCOMPARE(Form1->windowTitle(), QStringLiteral("Kiv Manager 2.0"));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
