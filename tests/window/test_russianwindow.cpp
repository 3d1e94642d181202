// The window in Russian on a real X server (the xcb platform under Xvfb, the locale's language):
// the main window, its menus, the dialogs and the message boxes show Russian texts, Qt's own
// buttons too, and no label or button that shows cuts its text (TextCut: a size hint within the
// control's size, or a push button's text within its width less the style's margins, whatever
// least width the style gives it; a word-wrapped label's lines within its height), no window's
// title is cut by a usual title bar, and each column of the grid holds its caption. While the
// catalogue is incomplete, English texts are let through and listed; once it is complete, only what
// stays English in every language is.

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QShortcut>
#include <QXmlStreamReader>
#include <QtTest>

#include "app/aboutbox.h"
#include "app/drawgrid.h"
#include "app/fittexts.h"
#include "app/folderprompt.h"
#include "app/forms.h"
#include "app/qtmodal.h"
#include "catalogue/gridtext.h"
#include "common/language.h"
#include "common/ui/windowtexts.h"
#include "link/linkchoice.h"
#include "link/nvmsection.h"
#include "link/ui/phonelinkdialog.h"
#include "settings/ui/expertsform.h"
#include "tests/support/windowtest.h"

namespace {

// Whether every message of the catalogue is translated.
bool CatalogueComplete(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    qFatal("cannot read %s", qPrintable(path));
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement &&
        xml.name() == QLatin1String("translation") &&
        xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished"))
      return false;
  }
  return true;
}

bool HasCyrillic(const QString& text) {
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

// What stays as it is in every language: no letters, names, ports, firmware entries, paths
// and the spelled caption of the conversion report; Qt's own Russian "OK" is Latin.
bool StaysEnglish(const QString& text) {
  static const QRegularExpression kept(QRegularExpression::anchoredPattern(QStringLiteral(
      "[^A-Za-z]*|Kiv Manager( 2\\.0)?|English|OK|BadAddrForm|COM&?\\d:?|0x.*|\\S*/\\S*")));
  return kept.match(text).hasMatch();
}

QString Where(const QObject* object) {
  const QWidget* form = FormOf(object);
  const QString name = object->objectName().isEmpty()
                           ? QString::fromLatin1(object->metaObject()->className())
                           : object->objectName();
  return (form ? form->objectName() : QString()) + QLatin1Char('/') + name;
}

}  // namespace

class TestRussianWindow : public TWindowTest {
  Q_OBJECT
 public:
  TestRussianWindow() : TWindowTest(TManagerFixture::Unshown) {}

 private Q_SLOTS:
  void initTestCase();
  void init();
  void cleanupTestCase();
  void mainWindowAndItsMenus();
  void dialogs_data();
  void dialogs();
  void phoneLinkLibraryLineWraps();
  void backupFolderPrompt();
  void errorBoxes_data();
  void errorBoxes();
  void qtButtonsAreRussian();

 private:
  void ExpectRussian(const QString& where, const QString& text);
  void ExpectFits(const QWidget* control);
  // Every text of the window and of what shows on it, and the room each label and button has.
  void Inspect(const QWidget* window);
  void InspectMenu(QMenu* menu);
  // Shows the next message box, hands it to look, and answers it with button.
  void WhenBoxShows(QMessageBox::StandardButton button,
                    const std::function<void(QMessageBox*)>& look);
  void Verdict();

  bool catalogueComplete_ = false;
  QStringList problems_;
  QStringList untranslated_;
};

void TestRussianWindow::initTestCase() {
  QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
  QCOMPARE(UseLanguage(QString()), QStringLiteral("ru"));
  catalogueComplete_ =
      CatalogueComplete(QStringLiteral(KIV_SOURCE_DIR "/translations/kivmanager_ru.ts"));
}

void TestRussianWindow::init() {
  problems_.clear();
  TWindowTest::init();
}

void TestRussianWindow::cleanupTestCase() {
  untranslated_.removeDuplicates();
  if (!untranslated_.isEmpty())
    qInfo("Not translated yet, let through while the catalogue is incomplete:\n  %s",
          qPrintable(untranslated_.join(QStringLiteral("\n  "))));
}

void TestRussianWindow::ExpectRussian(const QString& where, const QString& text) {
  if (text.isEmpty() || HasCyrillic(text) || StaysEnglish(text))
    return;
  if (!catalogueComplete_)
    untranslated_ << text;
  else
    problems_ << QStringLiteral("%1 is English: %2").arg(where, text);
}

void TestRussianWindow::ExpectFits(const QWidget* control) {
  const QSize hint = control->sizeHint();
  if (TextCut(control))
    problems_ << QStringLiteral("%1 cuts its text: %2x%3 asked, %4x%5 given")
                     .arg(Where(control))
                     .arg(hint.width())
                     .arg(hint.height())
                     .arg(control->width())
                     .arg(control->height());
}

void TestRussianWindow::Inspect(const QWidget* window) {
  ExpectRussian(Where(window) + QStringLiteral(" title"), window->windowTitle());
  if (TitleCut(window))
    problems_ << QStringLiteral("%1 cuts its title: %2 wide, %3 asked")
                     .arg(Where(window))
                     .arg(window->width())
                     .arg(TitleWidth(window));
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisible() || FormOf(widget) != window)
      continue;
    ExpectRussian(Where(widget) + QStringLiteral(" tooltip"), widget->toolTip());
    ExpectRussian(Where(widget) + QStringLiteral(" name"), widget->accessibleName());
    ExpectRussian(Where(widget) + QStringLiteral(" description"), widget->accessibleDescription());
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
      text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
      text = button->text();
    if (text.isEmpty())
      continue;
    ExpectRussian(Where(widget), text);
    ExpectFits(widget);
  }
}

void TestRussianWindow::InspectMenu(QMenu* menu) {
  menu->popup(Window().mapToGlobal(QPoint(40, 40)));
  QVERIFY(QTest::qWaitForWindowExposed(menu));
  for (QAction* action : menu->actions()) {
    if (action->isSeparator() || !action->isVisible())
      continue;
    ExpectRussian(Where(menu) + QLatin1Char('/') + action->objectName(), action->text());
    if (action->menu())
      InspectMenu(action->menu());
  }
  menu->hide();
}

void TestRussianWindow::WhenBoxShows(QMessageBox::StandardButton button,
                                     const std::function<void(QMessageBox*)>& look) {
  QTimer::singleShot(0, this, [button, look] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box && QTest::qWaitForWindowExposed(box));
    look(box);
    box->button(button)->click();
  });
}

void TestRussianWindow::Verdict() {
  QVERIFY2(problems_.isEmpty(), qPrintable(problems_.join(QLatin1Char('\n'))));
}

void TestRussianWindow::mainWindowAndItsMenus() {
  fixture_->Show();
  QVERIFY(QTest::qWaitForWindowExposed(&Window()));
  Inspect(&Window());
  const TDrawGrid* grid = fixture_->Grid();
  const QFontMetrics metrics(grid->font());
  for (int col = 0; col < 3; ++col) {
    ExpectRussian(QStringLiteral("grid header"), HeaderCaption(col));
    if (metrics.horizontalAdvance(HeaderCaption(col)) > grid->ColWidth(col))
      problems_ << QStringLiteral("column %1 cuts its caption %2").arg(col).arg(HeaderCaption(col));
  }
  for (QAction* title : Window().menuBar()->actions()) {
    ExpectRussian(QStringLiteral("menu bar"), title->text());
    InspectMenu(title->menu());
  }
  InspectMenu(PopupMenu());
  Verdict();
}

void TestRussianWindow::dialogs_data() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"AboutBox", "PrefForm", "ExpertsForm", "OKBottomDlg", "IconForm",
                           "BadAddrForm", "UploadPlanDialog", "HistoryDialog", "PhoneLinkDialog"})
    QTest::newRow(name) << QString::fromLatin1(name);
}

void TestRussianWindow::dialogs() {
  QFETCH(QString, name);
  fixture_->Show();
  About().ShowLink(Window().Link().LibraryFile(), Window().Link().HowItRuns(),
                   Window().Link().DemoPhone());
  Window().Dialogs().PhoneLink->SetChoice(::ReadSettings(Window().SettingsPath()).Link);
  auto* dialog = Window().findChild<QDialog*>(name);
  QVERIFY(dialog);
  dialog->show();
  QVERIFY(QTest::qWaitForWindowExposed(dialog));
  Inspect(dialog);
  dialog->hide();
  Verdict();
}

// A library line that wraps to several lines once the dialog shows: the dialog grows to hold
// them all.
void TestRussianWindow::phoneLinkLibraryLineWraps() {
  fixture_->Show();
  TPhoneLinkDialog* dialog = Window().Dialogs().PhoneLink;
  dialog->SetChoice(TLinkChoice{});
  dialog->show();
  QVERIFY(QTest::qWaitForWindowExposed(dialog));
  TLinkChoice notALibrary;
  notALibrary.Library = QStringLiteral(KIV_SOURCE_DIR "/translations/glossary.md");
  dialog->SetChoice(notALibrary);
  auto* line = dialog->findChild<QLabel*>(QStringLiteral("LibraryLine"));
  QVERIFY(line);
  QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) > line->width(),
           qPrintable(line->text()));
  QVERIFY(QTest::qWaitFor([line] { return !TextCut(line); }));
  Inspect(dialog);
  dialog->hide();
  Verdict();
}

// The longest title a dialog made on demand has.
void TestRussianWindow::backupFolderPrompt() {
  fixture_->Show();
  TFolderPrompt prompt(&Window(), QCoreApplication::translate(
                                      "Transfer", "Back up the phone into a new or empty folder"));
  prompt.show();
  QVERIFY(QTest::qWaitForWindowExposed(&prompt));
  Inspect(&prompt);
  Verdict();
}

// The boxes of the options dialog's OK: slot ranges it refuses, and a field that is no number
// (the application's error box).
void TestRussianWindow::errorBoxes_data() {
  QTest::addColumn<QString>("firstBig");
  QTest::addColumn<QString>("lastBig");
  QTest::newRow("range") << "20"
                         << "10";
  QTest::newRow("not a number") << ""
                                << "29";
}

void TestRussianWindow::errorBoxes() {
  QFETCH(QString, firstBig);
  QFETCH(QString, lastBig);
  fixture_->Show();
  TQtModal boxes;
  const TModalScope scope(boxes);
  Experts().SetRangeFields({firstBig, lastBig, QStringLiteral("10"), QStringLiteral("14")});
  bool shown = false;
  WhenBoxShows(QMessageBox::Ok, [this, &shown](QMessageBox* box) {
    shown = true;
    Inspect(box);
  });
  Experts().Button1Click();
  QVERIFY(shown);
  Verdict();
}

// The question the Delete key asks: its Cancel comes from Qt's own catalogue.
void TestRussianWindow::qtButtonsAreRussian() {
  fixture_->Phone.Put(18, 9, Program(100, "Calc"));
  fixture_->Show();
  Control<QAction>("RefreshAction")->trigger();
  TQtModal boxes;
  const TModalScope scope(boxes);
  QString cancel;
  WhenBoxShows(QMessageBox::Cancel, [this, &cancel](QMessageBox* box) {
    cancel = box->button(QMessageBox::Cancel)->text();
    Inspect(box);
  });
  // As the key acts while the grid has the focus, which a window manager would give it.
  for (QShortcut* key : fixture_->Grid()->findChildren<QShortcut*>()) {
    if (key->key() == QKeySequence(Qt::Key_Delete))
      emit key->activated();
  }
  QCOMPARE(cancel, QStringLiteral("Отмена"));
  QVERIFY(!fixture_->Phone.Get(18, 9).isEmpty());
  Verdict();
}

QTEST_MAIN(TestRussianWindow)
#include "test_russianwindow.moc"
