// Which phone-link library the loader takes in an installed layout: a copy of a probe
// program in PREFIX/bin, and three different libraries named libgbp.so beside it, on the
// system's library path and in the private folder; and a Windows DLL beside it, as gbp.dll
// or under the name libgbp.so, which runs under Wine.

#include <QtTest>

namespace {

enum TPlace { Beside = 1, System = 2, Private = 4, DllBeside = 8, DllAsLibgbp = 16 };

// What the probe prints for each library (see gbpprobe.cpp).
const QString kBesideLibrary =
    QStringLiteral("usable\nno write\nin this process");  // lacks the file operations
const QString kSystemLibrary =
    QStringLiteral("unusable\nwrites\nin this process");  // lacks ReadNVMFile
const QString kPrivateLibrary =
    QStringLiteral("usable\nwrites\nin this process");  // the virtual phone
// Not started: a Windows library is loaded by its host, at the first command.
const QString kWindowsLibrary =
    QStringLiteral("unusable\nno write\nin the 64-bit link host under Wine");

void CopyFile(const QString& from, const QString& to) {
  QVERIFY(QDir().mkpath(QFileInfo(to).path()));
  QVERIFY2(QFile::copy(from, to), qPrintable(to));
}

}  // namespace

class TestGBPSearch : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void searchOrder_data();
  void searchOrder();
};

void TestGBPSearch::searchOrder_data() {
  QTest::addColumn<int>("places");
  QTest::addColumn<QString>("loaded");  // relative to the prefix; "libgbp.so" by the system
  QTest::addColumn<QString>("library");
  const QString privateDir = QDir::cleanPath(QStringLiteral("bin/" KIV_PRIVATE_LIBDIR_FROM_BINDIR));
  const QString privateFile = privateDir + QStringLiteral("/libgbp.so");
  QTest::newRow("installed: the private folder") << int(Private) << privateFile << kPrivateLibrary;
  QTest::newRow("beside the program before everything")
      << int(Beside | System | Private) << QStringLiteral("bin/libgbp.so") << kBesideLibrary;
  QTest::newRow("system search before the private folder")
      << int(System | Private) << QStringLiteral("libgbp.so") << kSystemLibrary;
  QTest::newRow("system search alone")
      << int(System) << QStringLiteral("libgbp.so") << kSystemLibrary;
  QTest::newRow("nowhere: the last name tried")
      << 0 << privateDir + QStringLiteral("/gbp")
      << QStringLiteral("unusable\nno write\nnot at all (it could not be loaded)");
  QTest::newRow("gbp.dll beside the program before the system search")
      << int(DllBeside | System | Private) << QStringLiteral("bin/gbp.dll") << kWindowsLibrary;
  QTest::newRow("libgbp.so beside the program before gbp.dll")
      << int(Beside | DllBeside) << QStringLiteral("bin/libgbp.so") << kBesideLibrary;
  QTest::newRow("a Windows DLL named libgbp.so")
      << int(DllAsLibgbp | Private) << QStringLiteral("bin/libgbp.so") << kWindowsLibrary;
}

void TestGBPSearch::searchOrder() {
  QFETCH(int, places);
  QFETCH(QString, loaded);
  QFETCH(QString, library);
  QTemporaryDir prefix;
  QVERIFY(prefix.isValid());
  const QDir root(prefix.path());
  const QString probe = root.filePath(QStringLiteral("bin/gbp_probe"));
  CopyFile(QStringLiteral(GBP_PROBE), probe);
  if (places & Beside)
    CopyFile(QStringLiteral(GBP_WITHOUT_FILE_OPERATIONS), root.filePath("bin/libgbp.so"));
  if (places & System)
    CopyFile(QStringLiteral(GBP_WITHOUT_READ), root.filePath("system/libgbp.so"));
  if (places & DllBeside)
    CopyFile(QStringLiteral(GBP_DLL64), root.filePath("bin/gbp.dll"));
  if (places & DllAsLibgbp)
    CopyFile(QStringLiteral(GBP_DLL64), root.filePath("bin/libgbp.so"));
  if (places & Private)
    CopyFile(QStringLiteral(GBP_VIRTUAL_PHONE),
             root.filePath(QStringLiteral("bin/" KIV_PRIVATE_LIBDIR_FROM_BINDIR "/libgbp.so")));

  QProcess run;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LD_LIBRARY_PATH"), root.filePath(QStringLiteral("system")));
  run.setProcessEnvironment(environment);
  run.start(probe, {});
  QVERIFY(run.waitForFinished(30000));
  QCOMPARE(run.exitCode(), 0);
  const QString expectedName = loaded.contains(QLatin1Char('/')) ? root.filePath(loaded) : loaded;
  QCOMPARE(QString::fromLocal8Bit(run.readAllStandardOutput()).trimmed(),
           expectedName + QLatin1Char('\n') + library);
}

QTEST_MAIN(TestGBPSearch)
#include "test_gbpsearch.moc"
