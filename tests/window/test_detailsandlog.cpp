// The slot details and the phone log in the window: "Details..." from the context menu, the
// phone log filled by a Full Refresh with exactly the calls the phone received, and Play GIF
// showing the picture itself when no viewer opens it.

#include <QAction>
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
#include "tests/support/pseudotranslator.h"
#include "tests/support/windowtest.h"

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

class TestDetailsAndLog : public TWindowTest {
  Q_OBJECT
 private:
  // Right-clicks the current row and reads whether "Details..." is enabled.
  bool DetailsEnabled() const {
    QTest::mouseClick(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                      fixture_->Grid()->CellRect(1, Window().CurrentRow()).center());
    const bool visible = PopupMenu()->isVisible();
    PopupMenu()->hide();
    return visible && DetailsAction()->isEnabled();
  }

 private Q_SLOTS:
  void init() {
    TWindowTest::init();
    fixture_->Show();
  }

  void detailsFromTheContextMenu();
  void detailsOfAGIFPlayIt();
  void detailsOfASectionThatEmptiedMeanwhile();
  void phoneLogReceivesTheCallsOfAFullRefresh();
  void phoneLogSavesItsFileInEnglish();
  void playGIFShowsThePictureWhenNoViewerOpensIt();
};

void TestDetailsAndLog::detailsFromTheContextMenu() {
  const QByteArray program = Program(3000, "Calc");
  fixture_->Phone.Put(18, 9, program);
  QVERIFY(!DetailsEnabled());  // the row is empty until refreshed
  Control<QAction>("RefreshAction")->trigger();
  QVERIFY(DetailsEnabled());
  const QList<QAction*> actions = PopupMenu()->actions();
  // "Upload files..." and the items over several rows come after it.
  QCOMPARE(actions.size(), 12);
  QVERIFY(actions.at(7)->isSeparator());
  QCOMPARE(actions.at(8), DetailsAction());

  const QString saved = fixture_->FilePath(QStringLiteral("saved.bin"));
  fixture_->Modal.SaveFileNames.enqueue(saved);
  QString nameOffset;
  int cursorAt = -1;
  int lines = 0;
  int highlights = 0;
  fixture_->Modal.DialogScripts.enqueue([&](QDialog* dialog) {
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
  DetailsAction()->trigger();
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{"DetailsDialog"});
  QCOMPARE(fixture_->FileBytes(QStringLiteral("saved.bin")), program);
  QCOMPARE(nameOffset, QStringLiteral("0x4"));
  QCOMPARE(cursorAt, 22);  // byte 4 in the first line of the hex view
  QCOMPARE(lines, 3000 / 16 + 1);
  // In both columns: the catalogue's format word, then the header's format word, name (on
  // two lines), icon words A and B, and the chosen name once more.
  QCOMPARE(highlights, 2 * 6 + 2 * 2);
  QCOMPARE(fixture_->Status(), QStringLiteral("Read!"));
  QCOMPARE(fixture_->Phone.Journal().mid(fixture_->Phone.Journal().size() - 4),
           (QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(18,9) = 3000",
                        "ReadNVMFile(18,9,65536) = 3000", "EndGBPMode() = 0"}));
}

void TestDetailsAndLog::detailsOfAGIFPlayIt() {
  fixture_->Phone.Put(18, 9, TwoFrames());
  Control<QAction>("RefreshAction")->trigger();
  int frames = 0;
  fixture_->Modal.DialogScripts.enqueue([&frames](QDialog* dialog) {
    auto* details = qobject_cast<TDetailsDialog*>(dialog);
    if (details && details->Picture() && details->Picture()->Movie())
      frames = details->Picture()->Movie()->frameCount();
    return int(mrCancel);
  });
  Window().DetailsActionExecute();
  QCOMPARE(frames, 2);
}

void TestDetailsAndLog::detailsOfASectionThatEmptiedMeanwhile() {
  fixture_->Phone.Put(18, 9, Program(100, "Gone"));
  Control<QAction>("RefreshAction")->trigger();
  fixture_->Phone.Remove(18, 9);
  fixture_->Run(&TForm1::DetailsActionExecute);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Section 18-9 is empty"});
  QVERIFY(fixture_->Modal.OpenedDialogs.isEmpty());
}

void TestDetailsAndLog::phoneLogReceivesTheCallsOfAFullRefresh() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  fixture_->Phone.Put(2, 11, TwoFrames());
  fixture_->Phone.SetFaults(QStringLiteral("size 18-12=-5"));
  fixture_->Phone.ClearJournal();
  Control<QPushButton>("Button1")->click();  // before the log opens: kept all the same
  QVERIFY(!PhoneLog()->isVisible());
  const QStringList before = fixture_->Phone.Journal();
  Control<QAction>("PhoneLogAction")->trigger();
  QVERIFY(PhoneLog()->isVisible());
  fixture_->Phone.ClearJournal();
  Control<QPushButton>("Button1")
      ->click();  // listed as the calls are made, without waiting for the timer

  QStringList logged;
  for (const TLinkCall& call : PhoneLog()->Calls())
    logged << QStringLiteral("%1 = %2").arg(LinkCallText(call)).arg(call.Result);
  QCOMPARE(logged, before + fixture_->Phone.Journal());
  QVERIFY(before.size() > 26);
  const QString text = PhoneLog()->Text();
  QCOMPARE(text.count(QLatin1Char('\n')) + 1, logged.size());
  QVERIFY(text.contains(QRegularExpression(
      QStringLiteral("GetNVMFileSize\\(18,10\\) += -153 +0 B +\\d+\\.\\d{3} ms  holds nothing"))));
  QVERIFY(
      text.contains(QRegularExpression(QStringLiteral("ReadNVMFile\\(18,9,128\\) += 128 +128 B"))));

  fixture_->Modal.SaveFileNames.enqueue(fixture_->FilePath(QStringLiteral("log.txt")));
  PhoneLog()->findChild<QPushButton*>(QStringLiteral("SaveButton"))->click();
  const QString saved = QString::fromUtf8(fixture_->FileBytes(QStringLiteral("log.txt")));
  QVERIFY(saved.startsWith(QLatin1String("Time ")));
  QVERIFY(saved.contains(text));

  PhoneLog()->findChild<QPushButton*>(QStringLiteral("ClearButton"))->click();
  QVERIFY(PhoneLog()->Calls().isEmpty());
  QVERIFY(PhoneLog()->Text().isEmpty());
  PhoneLog()->close();
  Control<QPushButton>("Button1")->click();
  QCOMPARE(PhoneLog()->Calls().size(), before.size());  // a closed log keeps the calls
}

// The window speaks the user's language; a log passed on reads alike in every language.
void TestDetailsAndLog::phoneLogSavesItsFileInEnglish() {
  const TPseudoTranslator brackets(
      [](const QString&, const QString& source) { return '<' + source + '>'; });
  Control<QAction>("PhoneLogAction")->trigger();
  Control<QPushButton>("Button1")->click();
  QVERIFY2(PhoneLog()->Text().contains(QLatin1String("  <holds nothing>")),
           qPrintable(PhoneLog()->Text()));
  fixture_->Modal.SaveFileNames.enqueue(fixture_->FilePath(QStringLiteral("log.txt")));
  PhoneLog()->Save();
  const QString saved = QString::fromUtf8(fixture_->FileBytes(QStringLiteral("log.txt")));
  QVERIFY(saved.startsWith(QLatin1String("Time ")));
  QVERIFY(saved.contains(QLatin1String("  holds nothing\n")));
  QVERIFY2(!saved.contains('<'), qPrintable(saved));
}

void TestDetailsAndLog::playGIFShowsThePictureWhenNoViewerOpensIt() {
  TNoViewer viewer;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "NoSuchMethod");
  fixture_->Phone.Put(18, 9, TwoFrames());
  bool shown = false;
  fixture_->Modal.DialogScripts.enqueue([&shown](QDialog* dialog) {
    auto* view = dialog->findChild<TPictureView*>();
    shown = view && view->Movie() && view->Movie()->isValid();
    return int(mrCancel);
  });
  fixture_->Run(&TForm1::PlayGIFActionExecute);
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{"PictureDialog"});
  QVERIFY(shown);
  QCOMPARE(fixture_->FileBytes(QStringLiteral("temp.gif")), TwoFrames());
}

QTEST_MAIN(TestDetailsAndLog)
#include "test_detailsandlog.moc"
