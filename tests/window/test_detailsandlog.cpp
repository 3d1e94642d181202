// The slot details and the phone log in the window: "Details..." from the context menu, the
// phone log filled by a Full Refresh with exactly the calls the phone received, and Play GIF
// showing the picture itself when no viewer opens it.

#include <QDesktopServices>
#include <QMenu>
#include <QMovie>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QtTest>

#include "app/drawgrid.h"
#include "common/ui/pictureview.h"
#include "details/ui/detailsdialog.h"
#include "link/ui/phonelogwindow.h"
#include "tests/support/managerfixture.h"
#include "ui_mainwindow.h"

namespace {

// A GIF of two frames of one pixel each.
QByteArray TwoFrames() {
  const QByteArray frame = QByteArray::fromHex("21f904000a0000002c0000000001000100000202440100");
  return QByteArray::fromHex("47494638396101000100800000000000ffffff") + frame + frame + "\x3b";
}

}  // namespace

// A viewer registered for "file" URLs under a method it does not have: QDesktopServices
// then reports that nothing opened the file.
class TNoViewer : public QObject {
  Q_OBJECT
};

class TestDetailsAndLog : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<TManagerFixture> f;

  // Right-clicks the current row and reads whether "Details..." is enabled.
  bool DetailsEnabled() const {
    QTest::mouseClick(f->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                      f->Grid()->CellRect(1, Form1->CurrentRow()).center());
    const bool visible = Form1->PopupMenu1->isVisible();
    Form1->PopupMenu1->hide();
    return visible && Form1->DetailsAction->isEnabled();
  }

 private Q_SLOTS:
  void init() {
    f = std::make_unique<TManagerFixture>();
    f->Show();
  }
  void cleanup() {
    QVERIFY2(f->Modal.Unexpected.isEmpty(), qPrintable(f->Modal.Unexpected.join("; ")));
    f.reset();
  }

  void detailsFromTheContextMenu();
  void detailsOfAGIFPlayIt();
  void detailsOfASectionThatEmptiedMeanwhile();
  void phoneLogReceivesTheCallsOfAFullRefresh();
  void playGIFShowsThePictureWhenNoViewerOpensIt();
};

void TestDetailsAndLog::detailsFromTheContextMenu() {
  const QByteArray program = Program(3000, "Calc");
  f->Phone.Put(18, 9, program);
  QVERIFY(!DetailsEnabled());  // the row is empty until refreshed
  Form1->ui->RefreshAction->trigger();
  QVERIFY(DetailsEnabled());
  const QList<QAction*> actions = Form1->PopupMenu1->actions();
  QCOMPARE(actions.size(), 9);
  QVERIFY(actions.at(7)->isSeparator());
  QCOMPARE(actions.at(8), Form1->DetailsAction);

  const QString saved = f->FilePath(QStringLiteral("saved.bin"));
  f->Modal.SaveFileNames.enqueue(saved);
  QString nameOffset;
  int cursorAt = -1;
  int lines = 0;
  int highlights = 0;
  f->Modal.DialogScripts.enqueue([&](QDialog* dialog) {
    auto* details = qobject_cast<TDetailsDialog*>(dialog);
    if (!details)
      return int(mrCancel);
    const QList<QTreeWidgetItem*> found = details->Fields()->findItems(
        QStringLiteral("Name bytes"), Qt::MatchExactly | Qt::MatchRecursive);
    if (found.size() == 1) {
      details->Fields()->setCurrentItem(found.first());
      nameOffset = found.first()->text(1);
      cursorAt = details->HexView()->textCursor().position();
    }
    lines = details->HexView()->blockCount();
    highlights = details->HexView()->extraSelections().size();
    details->findChild<QPushButton*>(QStringLiteral("SaveButton"))->click();
    return int(mrCancel);
  });
  Form1->DetailsAction->trigger();
  QCOMPARE(f->Modal.OpenedDialogs, QStringList{"DetailsDialog"});
  QCOMPARE(f->FileBytes(QStringLiteral("saved.bin")), program);
  QCOMPARE(nameOffset, QStringLiteral("0x4"));
  QCOMPARE(cursorAt, 22);  // byte 4 in the first line of the hex view
  QCOMPARE(lines, 3000 / 16 + 1);
  // In both columns: the catalogue's format word, then the header's format word, name (on
  // two lines), icon words A and B, and the chosen name once more.
  QCOMPARE(highlights, 2 * 6 + 2 * 2);
  QCOMPARE(f->Status(), QStringLiteral("Read!"));
  QCOMPARE(f->Phone.Journal().mid(f->Phone.Journal().size() - 4),
           (QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(18,9) = 3000",
                        "ReadNVMFile(18,9,65536) = 3000", "EndGBPMode() = 0"}));
}

void TestDetailsAndLog::detailsOfAGIFPlayIt() {
  f->Phone.Put(18, 9, TwoFrames());
  Form1->ui->RefreshAction->trigger();
  int frames = 0;
  f->Modal.DialogScripts.enqueue([&frames](QDialog* dialog) {
    auto* details = qobject_cast<TDetailsDialog*>(dialog);
    if (details && details->Picture() && details->Picture()->Movie())
      frames = details->Picture()->Movie()->frameCount();
    return int(mrCancel);
  });
  Form1->DetailsActionExecute();
  QCOMPARE(frames, 2);
}

void TestDetailsAndLog::detailsOfASectionThatEmptiedMeanwhile() {
  f->Phone.Put(18, 9, Program(100, "Gone"));
  Form1->ui->RefreshAction->trigger();
  f->Phone.Remove(18, 9);
  f->Run(&TForm1::DetailsActionExecute);
  QCOMPARE(f->Modal.ShownTexts(), QStringList{"Section 18-9 is empty"});
  QVERIFY(f->Modal.OpenedDialogs.isEmpty());
}

void TestDetailsAndLog::phoneLogReceivesTheCallsOfAFullRefresh() {
  f->Phone.Put(18, 9, Program(3000, "Calc"));
  f->Phone.Put(2, 11, TwoFrames());
  f->Phone.SetFaults(QStringLiteral("size 18-12=-5"));
  Form1->ui->Button1->click();  // before the log opens: not collected
  QVERIFY(!Form1->PhoneLog);
  Form1->ui->PhoneLogAction->trigger();
  QVERIFY(Form1->PhoneLog->isVisible());
  f->Phone.ClearJournal();
  Form1->ui->Button1->click();  // listed as the calls are made, without waiting for the timer

  QStringList logged;
  for (const TLinkCall& call : Form1->PhoneLog->Calls())
    logged << QStringLiteral("%1 = %2").arg(LinkCallText(call)).arg(call.Result);
  QCOMPARE(logged, f->Phone.Journal());
  QVERIFY(logged.size() > 26);
  const QString text = Form1->PhoneLog->Text();
  QCOMPARE(text.count(QLatin1Char('\n')) + 1, logged.size());
  QVERIFY(text.contains(QRegularExpression(
      QStringLiteral("GetNVMFileSize\\(18,10\\) += -153 +0 B +\\d+\\.\\d{3} ms  holds nothing"))));
  QVERIFY(
      text.contains(QRegularExpression(QStringLiteral("ReadNVMFile\\(18,9,128\\) += 128 +128 B"))));

  f->Modal.SaveFileNames.enqueue(f->FilePath(QStringLiteral("log.txt")));
  Form1->PhoneLog->findChild<QPushButton*>(QStringLiteral("SaveButton"))->click();
  const QString saved = QString::fromUtf8(f->FileBytes(QStringLiteral("log.txt")));
  QVERIFY(saved.startsWith(QLatin1String("Time ")));
  QVERIFY(saved.contains(text));

  Form1->PhoneLog->findChild<QPushButton*>(QStringLiteral("ClearButton"))->click();
  QVERIFY(Form1->PhoneLog->Calls().isEmpty());
  QVERIFY(Form1->PhoneLog->Text().isEmpty());
  Form1->PhoneLog->close();
  Form1->ui->Button1->click();
  Form1->PhoneLog->Drain();
  QVERIFY(Form1->PhoneLog->Calls().isEmpty());  // a closed log collects nothing
}

void TestDetailsAndLog::playGIFShowsThePictureWhenNoViewerOpensIt() {
  TNoViewer viewer;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "NoSuchMethod");
  f->Phone.Put(18, 9, TwoFrames());
  bool shown = false;
  f->Modal.DialogScripts.enqueue([&shown](QDialog* dialog) {
    auto* view = dialog->findChild<TPictureView*>();
    shown = view && view->Movie() && view->Movie()->isValid();
    return int(mrCancel);
  });
  f->Run(&TForm1::PlayGIFActionExecute);
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QCOMPARE(f->Modal.OpenedDialogs, QStringList{"PictureDialog"});
  QVERIFY(shown);
  QCOMPARE(f->FileBytes(QStringLiteral("temp.gif")), TwoFrames());
}

QTEST_MAIN(TestDetailsAndLog)
#include "test_detailsandlog.moc"
