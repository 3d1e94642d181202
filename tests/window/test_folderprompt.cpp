// The prompt for a backup's folder: what Choose takes at once, what it leaves to be made,
// and what it refuses while staying open.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/folderprompt.h"

class TestFolderPrompt : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void choose_data();
  void choose();
};

void TestFolderPrompt::choose_data() {
  QTest::addColumn<QString>("typed");  // below a fresh folder holding "empty/" and "file"
  QTest::addColumn<bool>("taken");
  QTest::addColumn<QString>("problem");
  QTest::newRow("existing empty folder, no trailing slash") << "empty" << true << "";
  QTest::newRow("new folder in a new folder") << "new/inner" << true << "";
  QTest::newRow("a file") << "file" << false << "is a file, not a folder.";
  QTest::newRow("below a file") << "file/inner" << false << "could not be made.";
}

void TestFolderPrompt::choose() {
  QFETCH(QString, typed);
  QFETCH(bool, taken);
  QFETCH(QString, problem);
  QTemporaryDir work;
  QDir(work.path()).mkdir(QStringLiteral("empty"));
  QFile file(work.filePath(QStringLiteral("file")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();

  TFolderPrompt prompt(nullptr, QStringLiteral("Back up"));
  prompt.show();
  auto* choose = prompt.findChild<QPushButton*>(QStringLiteral("ChooseButton"));
  auto* path = prompt.findChild<QLineEdit*>(QStringLiteral("FolderPath"));
  path->clear();
  QVERIFY(!choose->isEnabled());
  path->setText(work.filePath(typed));
  QVERIFY(choose->isEnabled());
  choose->click();
  QCOMPARE(prompt.result(), int(taken ? QDialog::Accepted : QDialog::Rejected));
  QCOMPARE(prompt.isVisible(), !taken);
  QCOMPARE(prompt.Folder(), taken ? work.filePath(typed) : QString());
  // The work the folder is for makes it, so a cancelled one leaves nothing.
  QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("new"))));
  const QString shown = prompt.findChild<QLabel*>(QStringLiteral("FolderProblem"))->text();
  QVERIFY2(problem.isEmpty() ? shown.isEmpty() : shown.endsWith(problem), qPrintable(shown));
}

QTEST_MAIN(TestFolderPrompt)
#include "test_folderprompt.moc"
