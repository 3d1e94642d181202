// A library that hangs in a call, run in the link host: the status line tells how long the
// call has run, and Cancel ends the host once the call has outrun its time.

#include <QElapsedTimer>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include "app/workpanel.h"
#include "tests/support/windowtest.h"

class TestHungCall : public TWindowTest {
  Q_OBJECT
 private slots:
  void init();
  void cancelEndsAnOverdueCallAtOnce();
  void callTimeGoesWhenTheCallReturns();
};

void TestHungCall::init() {
  fixture_ = std::make_unique<TManagerFixture>(TManagerFixture::Loaded, "[Link]\nIsolate=true\n");
}

void TestHungCall::cancelEndsAnOverdueCallAtOnce() {
  fixture_->Phone.Put(18, 12, NumberedBytes(4000));
  fixture_->Phone.SetFaults("read 18-12=hang");
  // The read of 18-12 comes right after its size; once it has run 2.5 s (it should take about
  // 2.1 s), the status line says so and the user presses Cancel.
  QElapsedTimer reading;
  QElapsedTimer pressed;
  QString status;
  QTimer watch;
  connect(&watch, &QTimer::timeout, [&] {
    if (!reading.isValid() && fixture_->Phone.Journal().contains("GetNVMFileSize(18,12) = 4000"))
      reading.start();
    if (reading.isValid() && !pressed.isValid() && reading.elapsed() > 2500) {
      status = Control<QLabel>(Window(), "WorkText")->text();
      pressed.start();
      Window().Work().RequestCancel();
    }
  });
  watch.start(20);
  Window().RunCommand([this] { Window().Button1Click(); });
  QVERIFY(pressed.isValid());
  QVERIFY2(pressed.elapsed() < 1000, qPrintable(QString::number(pressed.elapsed())));
  QCOMPARE(status, QStringLiteral("4/26: 18-12, 0 bytes (2 s)"));
  const QStringList shown = fixture_->Modal.ShownTexts();
  QVERIFY2(!shown.isEmpty() && shown.first().startsWith("Cancelled: the library was still in "
                                                        "ReadNVMFile 18-12 after 2."),
           qPrintable(shown.join('|')));
  // Nothing was read after the cancel, and the next command starts a fresh host.
  fixture_->Phone.SetFaults(QString());
  fixture_->Modal.Clear();
  Window().RunCommand([this] { Window().Button1Click(); });
  QCOMPARE(Slots()[4].Size, 4000);
}

// What the status bar says of a long call stands only while the call runs.
void TestHungCall::callTimeGoesWhenTheCallReturns() {
  QStatusBar bar;
  TWorkPanel panel(&bar);
  auto* text = bar.findChild<QLabel*>("WorkText");
  panel.Begin();
  panel.ShowCallRunning(1900);
  QVERIFY(text->isHidden());
  panel.ShowCallRunning(2100, "Starting the link host");
  QCOMPARE(text->text(), QStringLiteral("Starting the link host: 2 s"));
  panel.CallFinished();
  QVERIFY(text->isHidden());
  panel.ShowSection(2, 5, {18, 10}, 300);
  panel.ShowCallRunning(3000);
  QCOMPARE(text->text(), QStringLiteral("2/5: 18-10, 300 bytes (3 s)"));
  panel.CallFinished();
  QCOMPARE(text->text(), QStringLiteral("2/5: 18-10, 300 bytes"));
}

QTEST_MAIN(TestHungCall)
#include "test_hungcall.moc"
