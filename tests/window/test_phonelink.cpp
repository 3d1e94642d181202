// File > Phone link... against the virtual phone: the fields come from the settings file's
// [Link] section and go back there on OK, the next command uses them, and "Test link"
// reports in words without writing anything.

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "common/fileioplatform.h"
#include "common/platform.h"
#include "link/linkchoice.h"
#include "link/ui/phonelinkdialog.h"
#include "settings/settingsfile.h"
#include "tests/support/windowtest.h"
#ifdef _WIN32
#include "tests/support/listedports.h"
#endif

class TestPhoneLink : public TWindowTest {
  Q_OBJECT
 private Q_SLOTS:
  void fieldsRoundTripAndApplyFromTheNextCommand();
  void testLinkReportsInWordsAndWritesNothing();
  void devicesOfferedWithoutABlankEntry();
  void okWithAnUnusableLibraryAsksFirst();
  void findPhoneNeedsAWindowsLibrary();
  void findPhoneOnWindowsMovesTheLinkToThePortThatAnswers();
  void unreadableSettingsRefuseThePhone_data();
  void unreadableSettingsRefuseThePhone();

 private:
};

namespace {

QComboBox* Device(const TPhoneLinkDialog& dialog, int port) {
  return Control<QComboBox>(dialog, qPrintable(QStringLiteral("DeviceCOM%1").arg(port)));
}

QString Missing(int port) {
  return QStringLiteral("/dev/kiv-no-such-cable-%1").arg(port);
}

QString MissingText(int port) {
  return QStringLiteral("COM%1 is %2, which does not exist: is the cable plugged in?")
      .arg(port)
      .arg(Missing(port));
}

}  // namespace

void TestPhoneLink::fieldsRoundTripAndApplyFromTheNextCommand() {
  const QString library = TVirtualPhone::LibraryPath();
  TManagerFixture::WriteSettings("[Link]\nLibrary=" + library.toUtf8() +
                                 "\nTimeout=2.5\nCOM3=/dev/ttyS7\n");
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Phone link"));
        QVERIFY(Control<QRadioButton>(dialog, "FileRadio")->isChecked());
        QCOMPARE(Control<QLineEdit>(dialog, "LibraryEdit")->text(), library);
        QCOMPARE(Control<QLabel>(dialog, "LibraryLine")->text(),
                 kWindowsBuild ? QStringLiteral("64-bit Windows library, runs in this process")
                               : QStringLiteral("Linux library"));
        QCOMPARE(Device(dialog, 3)->currentText(), QStringLiteral("/dev/ttyS7"));
        QCOMPARE(Control<QDoubleSpinBox>(dialog, "TimeoutSpin")->value(), 2.5);
        Control<QRadioButton>(dialog, "BuiltInRadio")->setChecked(true);
        Device(dialog, 1)->setEditText(Missing(1));
        Device(dialog, 3)->setEditText(QString());
        Control<QDoubleSpinBox>(dialog, "TimeoutSpin")->setValue(4);
      },
      mrOk);
  const TLinkChoice saved = ::ReadSettings(TManagerFixture::SettingsPath()).Link;
  QCOMPARE(saved.Library, QString());
  QCOMPARE(saved.Serial, (TSerialMap{{1, Missing(1)}}));
  QCOMPARE(saved.TimeoutFactor, 4.0);
  QVERIFY(!TManagerFixture::ReadSettings().contains(QStringLiteral("COM3=")));

  // The next command opens on the device now named, and says what to do.
  fixture_->Phone.ClearJournal();
  fixture_->Run(&TForm1::Button1Click);
  const TShownBox box = fixture_->LastBox();
  QCOMPARE(box.Text, QStringLiteral("GBP Error: Can't open port!"));
  QCOMPARE(box.Detail, MissingText(1));
  QVERIFY(fixture_->Phone.Journal().isEmpty());
  fixture_->Modal.Clear();

  // Cancel keeps the file as it is.
  const QString before = TManagerFixture::ReadSettings();
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        QCOMPARE(Device(dialog, 1)->currentText(), Missing(1));
        QVERIFY(Control<QRadioButton>(dialog, "BuiltInRadio")->isChecked());
        Device(dialog, 2)->setEditText(Missing(2));
      },
      mrCancel);
  QCOMPARE(TManagerFixture::ReadSettings(), before);
}

void TestPhoneLink::testLinkReportsInWordsAndWritesNothing() {
  fixture_->Phone.Put(2, 18, QByteArray(30, 'k'));
  fixture_->Phone.ClearJournal();
  QStringList texts;
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        auto* test = Control<QPushButton>(dialog, "TestLinkButton");
        test->click();
        texts << dialog.TestText();
        Device(dialog, 1)->setEditText(Missing(1));
        test->click();
        texts << dialog.TestText();
        Device(dialog, 1)->setEditText(QString());
        Control<QRadioButton>(dialog, "FileRadio")->setChecked(true);
        Control<QLineEdit>(dialog, "LibraryEdit")->setText(TManagerFixture::SettingsPath());
        test->click();
        texts << dialog.TestText();
      },
      mrCancel);
  QCOMPARE(texts.size(), 3);
  QCOMPARE(texts[0], QStringLiteral("The link works on COM1: section 2-18 holds 30 bytes."));
  QCOMPARE(texts[1], "GBP Error: Can't open port!\n" + MissingText(1));
  QVERIFY2(texts[2].startsWith(QStringLiteral("Unable to open GPB.DLL\n")), qPrintable(texts[2]));
  QCOMPARE(fixture_->Phone.Journal(),
           (QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(2,18) = 30", "EndGBPMode() = 0"}));
  QVERIFY(!TManagerFixture::ReadSettings().contains(QStringLiteral("[Link]")));
}

void TestPhoneLink::devicesOfferedWithoutABlankEntry() {
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        for (int port = 1; port <= 4; ++port) {
          const QComboBox* box = Device(dialog, port);
          QCOMPARE(box->currentText(), QString());  // the library's own choice
          for (int item = 0; item < box->count(); ++item) {
            QVERIFY(!box->itemData(item).toString().isEmpty());
            QVERIFY2(box->itemText(item).endsWith(QLatin1Char(')')),
                     qPrintable(box->itemText(item)));
          }
        }
      },
      mrCancel);
}

// OK with a file that is no library says why, and saves it only when told to.
void TestPhoneLink::okWithAnUnusableLibraryAsksFirst() {
  const QString notALibrary = TManagerFixture::SettingsPath();
  TManagerFixture::WriteSettings("[Form]\n");
  fixture_->Modal.ConfirmAnswers << false << true;
  QList<bool> closed;
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        Control<QRadioButton>(dialog, "FileRadio")->setChecked(true);
        Control<QLineEdit>(dialog, "LibraryEdit")->setText(notALibrary);
        dialog.accept();
        closed << (dialog.result() == QDialog::Accepted);
        dialog.accept();
        closed << (dialog.result() == QDialog::Accepted);
      },
      mrOk);
  QCOMPARE(closed, (QList<bool>{false, true}));
  QCOMPARE(fixture_->Modal.Shown.size(), 2);
  QCOMPARE(fixture_->Modal.Shown[0].Text,
           "This library cannot be used:\nnot a library: neither a Linux shared object nor a "
           "Windows DLL\n\nSave it all the same?");
  QCOMPARE(::ReadSettings(TManagerFixture::SettingsPath()).Link.Library, notALibrary);
}

void TestPhoneLink::findPhoneNeedsAWindowsLibrary() {
  if (kWindowsBuild)
    QSKIP("on Windows every library opens the machine's ports: test_windows_kivnvm finds one");
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        Control<QPushButton>(dialog, "FindPhoneButton")->click();
        QVERIFY2(dialog.FindText().startsWith("Find phone tries each device"),
                 qPrintable(dialog.FindText()));
      },
      mrCancel);
  QVERIFY(fixture_->Phone.Journal().isEmpty());
}

// The window's link is on COM2, where the phone has nothing; COM1 answers, and the user
// takes it: the port list moves there once Phone link closes with OK.
void TestPhoneLink::findPhoneOnWindowsMovesTheLinkToThePortThatAnswers() {
#ifdef _WIN32
  const TListedPorts listed({{"\\Device\\KivTest1", "COM1"}});
  auto* ports = Control<QComboBox>("ComboBox1");
  ports->setCurrentIndex(1);
  fixture_->Modal.ConfirmAnswers.enqueue(true);
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        dialog.DevicesPresent = [] { return QList<TSerialDeviceInfo>{{"COM1", "KivTest1"}}; };
        Control<QPushButton>(dialog, "FindPhoneButton")->click();
        QCOMPARE(dialog.FindText(), QStringLiteral("Looking on the COM ports...\n"
                                                   "COM1 (KivTest1): answers (2-18 holds "
                                                   "nothing)"));
        QCOMPARE(ports->currentIndex(), 1);  // not before OK
      },
      mrOk);
  QCOMPARE(fixture_->Modal.Shown.constLast().Text,
           QStringLiteral("COM1 (KivTest1) answers. Use COM1 for the link?"));
  QCOMPARE(ports->currentIndex(), 0);
#else
  QSKIP("on Linux Find phone puts each device behind the window's port (the Wine tests)");
#endif
}

void TestPhoneLink::unreadableSettingsRefuseThePhone_data() {
  QTest::addColumn<QByteArray>("settings");
  QTest::addColumn<QString>("reason");
  const QByteArray chosen = "Library=" + TVirtualPhone::LibraryPath().toUtf8() + "\n";
  QTest::newRow("malformed") << "[Link\n" + chosen << "it is not in INI format";
  QTest::newRow("folder") << TManagerFixture::FolderInstead << IsADirectoryReason();
}

// A settings file that chose a library and cannot be read: told at start and by every
// command, which reaches no library (the demo phone beside the program least of all), until a
// link is chosen in Phone link.
void TestPhoneLink::unreadableSettingsRefuseThePhone() {
  QFETCH(QByteArray, settings);
  QFETCH(QString, reason);
  fixture_.reset();
  fixture_ = std::make_unique<TManagerFixture>(TManagerFixture::Unshown, settings);
  fixture_->Show();
  const QString problem =
      "The settings file " + TManagerFixture::SettingsPath() + " cannot be read: " + reason;
  QVERIFY2(fixture_->Status().startsWith(problem), qPrintable(fixture_->Status()));
  fixture_->Run(&TForm1::Button1Click);
  QCOMPARE(fixture_->Modal.Shown.size(), 2);
  for (const TShownBox& box : fixture_->Modal.Shown) {
    QCOMPARE(box.Text, QStringLiteral("Unable to open GPB.DLL"));
    QCOMPARE(box.Detail, problem);
  }
  QVERIFY(fixture_->Phone.Journal().isEmpty());
  QVERIFY(Control<QLabel>("DemoPhone")->isHidden());

  fixture_->Modal.Clear();
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        QCOMPARE(dialog.InUse(), "none: " + problem);
        Control<QRadioButton>(dialog, "BuiltInRadio")->setChecked(true);
      },
      mrOk);
  // The choice is in force, though the file that cannot be read is not written.
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Error);
  fixture_->Run(&TForm1::Button1Click);
  QCOMPARE(fixture_->Phone.Calls("InitGBPMode"), 1);
  QVERIFY(!Control<QLabel>("DemoPhone")->isHidden());
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        QVERIFY2(dialog.InUse().startsWith("demo phone ("), qPrintable(dialog.InUse()));
      },
      mrCancel);
  if (settings != TManagerFixture::FolderInstead)
    QVERIFY(TManagerFixture::ReadSettings().startsWith("[Link\n"));
}

QTEST_MAIN(TestPhoneLink)
#include "test_phonelink.moc"
