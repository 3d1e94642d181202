// The first use of a Windows library, in a prefix made from nothing: kivnvm makes the prefix
// through the 64-bit link host and lists the phone, with none of Wine's setup lines on its
// output and nothing put into the desktop. The prefix it leaves is the one the other Wine
// tests share (a CTest fixture), so only this test pays for making one.

#include <QDir>
#include <QtTest>

#include "tests/cli/kivnvmrunner.h"
#include "tests/support/virtualphone.h"
#include "tests/wine/winetest.h"

class TestWineFirstUse : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void firstUseMakesThePrefix();
};

void TestWineFirstUse::firstUseMakesThePrefix() {
  const QString prefix = qEnvironmentVariable("WINEPREFIX");
  EndWineserver(prefix);
  QVERIFY(QDir(prefix).removeRecursively());
  const QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());

  TVirtualPhone phone;
  ShareWithWindows(phone);
  TKivnvm kivnvm;
  kivnvm.AddBeside(QStringLiteral("kiv-linkhost-win64.exe"));
  QCOMPARE(kivnvm.Run({"demo", phone.StoreDir()}).ExitCode, 0);
  phone.ClearJournal();
  const TKivnvmRun run = kivnvm.Run({"list", "--sizes-only", "--link", WindowsPhone()});
  QVERIFY2(run.ExitCode == 0, qPrintable(run.Err));
  QVERIFY2(run.Out.contains("18-9"), qPrintable(run.Out));
  // Wine's "created the configuration directory" and its like stay with the host.
  QCOMPARE(run.Err, QString());
  QCOMPARE(phone.Journal().value(0), QStringLiteral("InitGBPMode(1) = 0"));
  EndWineserver(prefix);
  QVERIFY(QFile::exists(prefix + QStringLiteral("/system.reg")));
  QVERIFY2(!QFileInfo::exists(home.filePath(QStringLiteral(".config/menus"))),
           "Wine's menu builder ran");
}

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (qEnvironmentVariable("WINEPREFIX").isEmpty())
    qFatal("WINEPREFIX must name the test's own prefix");
  TestWineFirstUse test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_wine_firstuse.moc"
