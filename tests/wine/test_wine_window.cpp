// The window through real Wine: the Windows virtual phone of the run's width chosen in File >
// Phone link..., whose line names the width and the Wine used, then a Full Refresh and an
// upload through it; and Find phone in the dialog over two pseudo-terminals, which offers to
// keep the one that answered.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "link/ui/phonelinkdialog.h"
#include "link/winehost.h"
#include "tests/support/windowtest.h"
#include "tests/wine/ptyphone.h"
#include "tests/wine/winetest.h"

class TestWineWindow : public TWindowTest {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void refreshAndUploadThroughTheChosenLibrary();
  void findPhoneOffersTheDeviceThatAnswers();
  void cancelStopsTheSearch();

 private:
  // The test's own devices only: the machine's serial ports are left alone.
  static void OnlyTypedDevices(TPhoneLinkDialog& dialog) {
    dialog.DevicesPresent = [] { return QList<TSerialDeviceInfo>(); };
  }
  static void ChooseFile(TPhoneLinkDialog& dialog, const QString& library) {
    Control<QRadioButton>(dialog, "FileRadio")->setChecked(true);
    Control<QLineEdit>(dialog, "LibraryEdit")->setText(library);
    emit Control<QLineEdit>(dialog, "LibraryEdit")->editingFinished();
  }
};

void TestWineWindow::init() {
  TWindowTest::init();
  ShareWithWindows(fixture_->Phone);
}

void TestWineWindow::refreshAndUploadThroughTheChosenLibrary() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  PhoneLink(
      [](TPhoneLinkDialog& dialog) {
        ChooseFile(dialog, WindowsPhone());
        const QString line = Control<QLabel>(dialog, "LibraryLine")->text();
        QVERIFY2(line.startsWith(
                     QStringLiteral("%1-bit Windows library, runs under Wine").arg(WineBits())),
                 qPrintable(line));
        QVERIFY2(line.endsWith("(" + FindWine(WineBits()).Loader + ")"), qPrintable(line));
      },
      mrOk);
  fixture_->Phone.ClearJournal();
  fixture_->Run(&TForm1::Button1Click);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Update done!"});
  QCOMPARE(Slots()[1].Caption, QStringLiteral("Calc"));
  QCOMPARE(fixture_->Phone.Journal().constFirst(), QStringLiteral("InitGBPMode(1) = 0"));

  fixture_->Modal.Clear();
  fixture_->Select(2);
  fixture_->PickFile(PlainData(2000));
  Window().RunCommand([this] { Window().UploadActionExecute(); });
  QCOMPARE(fixture_->LastBox().Text, QStringLiteral("Section uploaded sucsessfully!"));
  QCOMPARE(fixture_->Phone.Get(18, 10), PlainData(2000));
}

void TestWineWindow::findPhoneOffersTheDeviceThatAnswers() {
  const TPtyPhone silent(false);
  const TPtyPhone answering(true, 12);
  fixture_->Modal.ConfirmAnswers.enqueue(true);
  QString found;
  QString kept;
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        ChooseFile(dialog, SerialPhone());
        OnlyTypedDevices(dialog);
        // Devices typed into the fields are tried as well as the ones present.
        Control<QComboBox>(dialog, "DeviceCOM2")->setEditText(silent.Device());
        Control<QComboBox>(dialog, "DeviceCOM3")->setEditText(answering.Device());
        Control<QPushButton>(dialog, "FindPhoneButton")->click();
        found = dialog.FindText();
        kept = dialog.Choice().Serial.value(1);
      },
      mrCancel);
  QVERIFY2(found.contains(silent.Device() + " (no description): no answer"), qPrintable(found));
  QVERIFY2(found.contains(answering.Device() + " (no description): answers (2-18 holds 12 bytes)"),
           qPrintable(found));
  QCOMPARE(fixture_->LastBox().Text,
           answering.Device() + " (no description) answers. Keep it for COM1?");
  QCOMPARE(kept, answering.Device());
}

// Cancel, pressed once the first device is told, ends the try under way and the search; the
// window kept handling its events meanwhile.
void TestWineWindow::cancelStopsTheSearch() {
  const TPtyPhone first(false);
  const TPtyPhone second(false);
  const TPtyPhone third(false);
  QString found;
  PhoneLink(
      [&](TPhoneLinkDialog& dialog) {
        ChooseFile(dialog, SerialPhone());
        OnlyTypedDevices(dialog);
        Control<QComboBox>(dialog, "DeviceCOM2")->setEditText(first.Device());
        Control<QComboBox>(dialog, "DeviceCOM3")->setEditText(second.Device());
        Control<QComboBox>(dialog, "DeviceCOM4")->setEditText(third.Device());
        auto* button = Control<QPushButton>(dialog, "FindPhoneButton");
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, [&] {
          if (dialog.FindText().contains(first.Device())) {
            button->click();
            cancel.stop();
          }
        });
        cancel.start(10);
        button->click();
        found = dialog.FindText();
        QCOMPARE(button->text(), QStringLiteral("Find &phone"));
      },
      mrCancel);
  QVERIFY2(found.endsWith(QStringLiteral("\nCancelled.")), qPrintable(found));
  QVERIFY2(!found.contains(third.Device()), qPrintable(found));
  QCOMPARE(fixture_->Modal.Shown.size(), 0);
}

WINE_TEST_MAIN(TestWineWindow, QApplication)
#include "test_wine_window.moc"
