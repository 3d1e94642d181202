// The main window against the virtual phone: full refresh, the Refresh action, the settings
// file, the serial port and its box, resizing, the about box, the program's identity and the
// places drawn for the English texts.
// Every box the user would see is read from the scripted modal interface.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QtTest>

#include "app/aboutbox.h"
#include "app/drawgrid.h"
#include "app/mainwindow.h"
#include "app/qtmodal.h"
#include "link/nvmsection.h"
#include "settings/ui/expertsform.h"
#include "tests/support/windowtest.h"
#include "ufif/ui/badaddrform.h"
#include "ufif/ui/iconform.h"
#include "ufif/ui/okbottomdlg.h"

Q_DECLARE_METATYPE(TSlotKind)

class TestMainWindow : public TWindowTest {
  Q_OBJECT
 public:
  TestMainWindow() : TWindowTest(TManagerFixture::Unshown) {}

 private Q_SLOTS:
  void fullRefreshOfAnEmptyPhone();
  void fullRefreshRecognisesContent();
  void sizeFailureSkipsTheRestOfItsRange();
  void linkFailureEndsTheFullRefresh();
  void fullRefreshWithoutBigSlots();
  void refreshActionOnTheFirstSmallRow();
  void refreshActionReportsRefreshedAfterAFailure();
  void sizesOnlyWithoutAdditionalInfo();
  void refreshOutsideTheRangesTouchesOnlyTheScratchRecord();

  void windowsCarryTheProgramsIdentity();

  void firstStartUsesDefaultsAndCloseWritesAllKeys();
  void storedRangesSetTheRowCount();
  void portChoiceReachesTheLinkAndTheFile();
  void portBoxRefusesAPortItDoesNotHave();
  void resizeGivesColumnOneTheRest();
  void closeWithAnUnwritableSettingsFile();

  void aboutBox();
  void narrowBoxesHoldTheirTitle();
  void englishKeepsThePlacesDrawn();

 private:
  QStringList SizeQueries() const;
};

QStringList TestMainWindow::SizeQueries() const {
  QStringList queries;
  for (const QString& line : fixture_->Phone.Journal())
    if (line.startsWith(QLatin1String("GetNVMFileSize(")))
      queries << line.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0);
  return queries;
}

void TestMainWindow::fullRefreshOfAnEmptyPhone() {
  fixture_->Show();
  Control<QPushButton>("Button1")->click();

  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("GetNVMFileSize")), 26);
  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("ReadNVMFile")), 0);
  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("InitGBPMode")), 1);
  const QStringList queries = SizeQueries();
  QCOMPARE(queries.first(), QStringLiteral("18,9"));
  QCOMPARE(queries.at(20), QStringLiteral("18,29"));
  QCOMPARE(queries.at(21), QStringLiteral("2,10"));
  QCOMPARE(queries.last(), QStringLiteral("2,14"));
  for (int row = 1; row <= 26; ++row) {
    QCOMPARE(Slots()[row].Kind, skEmpty);
    QCOMPARE(Slots()[row].Caption, QStringLiteral("< Empty >"));
    QCOMPARE(Slots()[row].IconIndex, 110);
  }
  QCOMPARE(Slots()[27].Caption, QString());
  QCOMPARE(Window().StatusText(), QStringLiteral("Updated!"));
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->Modal.Shown.first().Text, QStringLiteral("Update done!"));
  QCOMPARE(fixture_->Modal.Shown.first().Caption, QString());
  QVERIFY(!QApplication::overrideCursor());
  QVERIFY(!Window().Link().LinkOpen());
}

void TestMainWindow::fullRefreshRecognisesContent() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  fixture_->Phone.Put(2, 11, QByteArray("GIF89a") + QByteArray(500, '\1'));
  // A PRG3 library's release word; recognised only when more than 16 bytes were read.
  const QByteArray library = QByteArray::fromHex("01000000AAAAAA00BBBBBB00CCCCCC00");
  fixture_->Phone.Put(18, 10, library);
  fixture_->Phone.Put(18, 11, library + QByteArray(1, '\7'));
  fixture_->Show();
  Control<QPushButton>("Button1")->click();

  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("ReadNVMFile")), 4);
  QCOMPARE(Slots()[2].Caption, QStringLiteral("< Data >"));
  QCOMPARE(Slots()[3].Caption, QStringLiteral("< PRG3 ExtLibrary ver.1>"));
  const TSlotInfo& program = Slots()[1];
  QCOMPARE(program.Kind, skProgram);
  QCOMPARE(program.Caption, QStringLiteral("Calc"));
  QCOMPARE(program.Size, 3000);
  QCOMPARE(program.FormatTag, 0x20000000u);
  QCOMPARE(program.IconIndex, 107);
  QCOMPARE(Slots()[23].Kind, skGIF);
  QCOMPARE(Slots()[23].Caption, QStringLiteral("< GIF-File >"));
}

void TestMainWindow::sizeFailureSkipsTheRestOfItsRange() {
  fixture_->Phone.Put(18, 12, Program(100, "Later"));
  fixture_->Phone.SetFaults(QStringLiteral("size 18-11=-7"));
  fixture_->Show();
  TSlotInfo marker;
  marker.Kind = skOther;
  marker.Caption = QStringLiteral("before");
  for (int row = 1; row <= 26; ++row)
    Slots()[row] = marker;
  Control<QPushButton>("Button1")->click();

  QCOMPARE(SizeQueries(),
           (QStringList{"18,9", "18,10", "18,11", "2,10", "2,11", "2,12", "2,13", "2,14"}));
  QCOMPARE(Slots()[1].Caption, QStringLiteral("< Empty >"));
  QCOMPARE(Slots()[2].Caption, QStringLiteral("< Empty >"));
  for (int row = 3; row <= 21; ++row)
    QCOMPARE(Slots()[row], marker);
  for (int row = 22; row <= 26; ++row)
    QCOMPARE(Slots()[row].Caption, QStringLiteral("< Empty >"));
  QCOMPARE(fixture_->Modal.ShownTexts(),
           (QStringList{"Error getting section 18-11 size", "Update done!"}));
  QCOMPARE(fixture_->Modal.Shown.first().Caption, QStringLiteral("ERROR"));
  QCOMPARE(Window().StatusText(), QStringLiteral("Updated!"));
}

void TestMainWindow::linkFailureEndsTheFullRefresh() {
  fixture_->Phone.SetFaults(QStringLiteral("init=-3"));
  fixture_->Show();
  Control<QPushButton>("Button1")->click();

  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->Modal.Shown.first().Caption, QStringLiteral("ERROR"));
  QVERIFY(fixture_->Modal.Shown.first().Text.startsWith(QLatin1String("GBP Error: ")));
  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("GetNVMFileSize")), 0);
  QCOMPARE(Window().StatusText(), QString());
  QCOMPARE(Slots()[1].Caption, QString());
  QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindow::fullRefreshWithoutBigSlots() {
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=0\n");
  fixture_->Show();
  QCOMPARE(fixture_->Grid()->RowCount(), 6);
  Control<QPushButton>("Button1")->click();

  QCOMPARE(SizeQueries(), (QStringList{"2,10", "2,11", "2,12", "2,13", "2,14"}));
  for (int row = 1; row <= 5; ++row)
    QCOMPARE(Slots()[row].Caption, QStringLiteral("< Empty >"));
  QCOMPARE(Window().StatusText(), QStringLiteral("Updated!"));
}

void TestMainWindow::refreshActionOnTheFirstSmallRow() {
  fixture_->Phone.Put(2, 10, QByteArray("GIF87a") + QByteArray(40, '\0'));
  fixture_->Show();
  Window().SelectRow(22);
  Control<QAction>("RefreshAction")->trigger();

  QCOMPARE(fixture_->Phone.Journal(),
           (QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(2,10) = 46",
                        "ReadNVMFile(2,10,128) = 46", "EndGBPMode() = 0"}));
  QCOMPARE(Slots()[22].Kind, skGIF);
  QCOMPARE(Slots()[22].Size, 46);
  QCOMPARE(Window().StatusText(), QStringLiteral("Refreshed!"));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
}

void TestMainWindow::refreshActionReportsRefreshedAfterAFailure() {
  fixture_->Phone.Put(18, 10, Program(500, "Old"));
  fixture_->Phone.SetFaults(QStringLiteral("read 18-10=-5"));
  fixture_->Show();
  Window().SelectRow(2);
  Control<QAction>("RefreshAction")->trigger();

  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Error reading section 18-10"});
  QCOMPARE(fixture_->Modal.Shown.first().Caption, QStringLiteral("ERROR"));
  QCOMPARE(Slots()[2], TSlotInfo{});  // not even the size is taken
  QCOMPARE(Window().StatusText(), QStringLiteral("Refreshed!"));
}

void TestMainWindow::sizesOnlyWithoutAdditionalInfo() {
  fixture_->Phone.Put(18, 9, Program(5000, "Calc"));
  fixture_->Show();
  Control<QCheckBox>("CheckBox1")->setChecked(false);
  Control<QPushButton>("Button1")->click();

  QCOMPARE(fixture_->Phone.Calls(QStringLiteral("ReadNVMFile")), 0);
  QCOMPARE(Slots()[1].Kind, skProgram);
  QCOMPARE(Slots()[1].Size, 5000);
  QCOMPARE(Slots()[1].Caption, QString());
  QCOMPARE(Slots()[1].IconIndex, -1);
}

void TestMainWindow::refreshOutsideTheRangesTouchesOnlyTheScratchRecord() {
  fixture_->Phone.Put(17, 3, QByteArray("GIF89a") + QByteArray(10, '\0'));
  fixture_->Show();
  QVERIFY(Window().Link().InitGBP());
  QCOMPARE(TForm1TestSeam::RefreshSection(Window(), 17, 3), 16);
  Window().Link().EndGBP();
  QCOMPARE(Slots()[0].Kind, skGIF);
  for (int row = 1; row < SlotTableSize; ++row)
    QCOMPARE(Slots()[row], TSlotInfo{});
  QCOMPARE(Window().StatusText(), QStringLiteral("Refreshing section 17-3..."));
}

void TestMainWindow::firstStartUsesDefaultsAndCloseWritesAllKeys() {
  fixture_->Show();
  QCOMPARE(Window().pos(), QPoint(240, 20));
  QCOMPARE(Window().size(), QSize(330, 420));
  QCOMPARE(Control<QComboBox>("ComboBox1")->currentIndex(), 0);
  QCOMPARE(Window().Link().COMPort(), TNVMSection::cpnCOM1);
  QCOMPARE(CurrentSlotRanges().FirstBig, 9);
  QCOMPARE(CurrentSlotRanges().BigSlots, 21);
  QCOMPARE(CurrentSlotRanges().FirstSmall, 10);
  QCOMPARE(CurrentSlotRanges().SmallSlots, 5);
  QCOMPARE(fixture_->Grid()->RowCount(), 27);
  QCOMPARE(Window().CurrentSlotAddress(), (TSectionAddress{18, 9}));
  QCOMPARE(Control<QComboBox>(Experts(), "FWComboBox")->currentIndex(), 0);
  QCOMPARE(Window().StatusText(), QString());
  QCOMPARE(Window().windowTitle(), QStringLiteral("Kiv Manager 2.0"));

  Window().close();
  QVERIFY(!Window().isVisible());
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
  QCOMPARE(Control<QLineEdit>(Experts(), "SSME1")->text(), QStringLiteral("20"));
  QCOMPARE(Control<QLineEdit>(Experts(), "SSME2")->text(), QStringLiteral("31"));

  TManagerFixture::WriteSettings("[Manager]\nBigSlots=90\nSmallSlots=90\n");
  Window().LoadSettings();
  QCOMPARE(fixture_->Grid()->RowCount(), 100);  // 99 slot rows, the table's limit
}

void TestMainWindow::portChoiceReachesTheLinkAndTheFile() {
  fixture_->Phone.AddPort(3);
  fixture_->Show();
  Control<QComboBox>("ComboBox1")->setCurrentIndex(2);
  QCOMPARE(Window().Link().COMPort(), TNVMSection::cpnCOM3);
  Control<QPushButton>("Button1")->click();
  QCOMPARE(fixture_->Phone.Journal().first(), QStringLiteral("InitGBPMode(3) = 0"));
  Window().close();
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("COM-Port=2")));
}

// Text that names no port of the box is refused: the box shows the port in use again.
void TestMainWindow::portBoxRefusesAPortItDoesNotHave() {
  fixture_->Show();
  QComboBox* box = Control<QComboBox>("ComboBox1");
  box->setCurrentIndex(1);
  QLineEdit* edit = box->lineEdit();
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("COM9"));
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(box->currentText(), QStringLiteral("COM2"));
  QCOMPARE(box->currentIndex(), 1);
  QCOMPARE(Window().Link().COMPort(), TNVMSection::cpnCOM2);
  QCOMPARE(Window().StatusText(),
           QStringLiteral("There is no port COM9 (only COM1 to COM4): the link stays on COM2."));

  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("com3"));
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(box->currentText(), QStringLiteral("COM3"));
  QCOMPARE(Window().Link().COMPort(), TNVMSection::cpnCOM3);
}

void TestMainWindow::resizeGivesColumnOneTheRest() {
  fixture_->Show();
  TDrawGrid* grid = fixture_->Grid();
  for (const int width : {600, 260}) {
    Window().resize(width, 420);
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
  Window().close();
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->Modal.Shown.first().Kind, TShownBox::Error);
  QCOMPARE(fixture_->Modal.Shown.first().Text,
           QStringLiteral("Unable to write to ") + TManagerFixture::SettingsPath() + ".");
  QVERIFY(!Window().isVisible());  // the user is not kept in the program
}

void TestMainWindow::aboutBox() {
  fixture_->Show();
  QStringList texts;
  fixture_->Modal.DialogScripts << [this, &texts](QDialog* dialog) {
    texts << dialog->windowTitle() << Control<QLabel>(About(), "ProductName")->text()
          << Control<QLabel>(About(), "Comments")->text()
          << Control<QLabel>(About(), "Copyright")->text()
          << Control<QLabel>(About(), "LinkCredit")->text();
    Control<QPushButton>(About(), "OKButton")->click();
    return dialog->result();
  };
  Control<QPushButton>("Button2")->click();
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{"AboutBox"});
  QCOMPARE(texts, (QStringList{"About", "Kiv Manager 2.0",
                               "Simple application for view and modify NVM sections used by "
                               "poplular Kiv-series firmware MOD for Sony Jxx and Z7 phones.",
                               "Kiv Manager 2.0 by the Kiv Manager developers",
                               "Phone link: the demo phone (" +
                                   QFileInfo(Window().Link().LibraryFile()).fileName() +
                                   ", in this process)"}));
  QCOMPARE(About().result(), int(mrOk));
}

// The desktop matches the window to its entry and shows the program's own icon.
void TestMainWindow::windowsCarryTheProgramsIdentity() {
  QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.kivmanager.KivManager"));
  const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
  QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));
  QCOMPARE(Window().windowTitle(), QStringLiteral("Kiv Manager 2.0"));
}

// A window manager cuts a title its box is too narrow for ("E..." for "ERROR"): a box as
// narrow as a many-slot summary grows to hold its title beside the title bar's buttons.
void TestMainWindow::narrowBoxesHoldTheirTitle() {
  for (const QString caption : {"OK!", "ERROR", "Back up phone"}) {
    int width = 0;
    QTimer::singleShot(0, [&width] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      width = box->width();
      box->button(QMessageBox::Ok)->click();
    });
    TQtModal().ShowMessage(&Window(), "2 of 2 slots done", caption);
    QFont bold = QApplication::font();
    bold.setBold(true);
    QVERIFY2(width >= QFontMetrics(bold).horizontalAdvance(caption) + 100, qPrintable(caption));
  }
}

// The English texts fit the places drawn for them: the panel keeps them, not a layout of its
// own, and the dialogs keep their sizes.
void TestMainWindow::englishKeepsThePlacesDrawn() {
  if (kWindowsBuild)
    QSKIP(kPlacesMeasuredOnLinux);
  fixture_->Show();
  const auto* panel = Control<QFrame>("Panel1");
  QVERIFY(!panel->layout());
  QCOMPARE(panel->height(), 81);
  const struct {
    const char* Name;
    QRect Place;
  } places[] = {{"ComboBox1", {8, 8, 81, 21}},   {"Button7", {91, 4, 105, 25}},
                {"Button6", {200, 4, 113, 25}},  {"Button1", {8, 32, 79, 25}},
                {"Button3", {91, 32, 105, 25}},  {"Button5", {200, 32, 113, 25}},
                {"CheckBox1", {8, 59, 160, 17}}, {"Button2", {266, 60, 47, 17}}};
  for (const auto& place : places)
    QCOMPARE(Control<QWidget>(place.Name)->geometry(), place.Place);
  const QList<QPair<QWidget*, QSize>> dialogs = {{&About(), {298, 213}},
                                                 {&Experts(), {257, 193}},
                                                 {&OKBottom(), {313, 244}},
                                                 {&Icons(), {178, 131}},
                                                 {&BadAddr(), {363, 349}}};
  for (const auto& [dialog, size] : dialogs)
    QCOMPARE(dialog->size(), size);
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
