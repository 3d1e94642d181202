// A chosen library judged by its header, and what the manager hands to Wine for a 32-bit
// Windows DLL. 32-bit programs cannot run on the machines these tests run on, so Wine is
// stood in for by a script (WINELOADER) that records its arguments and environment and
// exits: this checks what the manager hands to Wine, not Wine itself.

#include <QtTest>

#include "link/gbplibrary.h"
#include "link/nvmsection.h"
#include "link/wineports.h"
#include "tests/support/scriptedmodal.h"

namespace {

// Sets an environment variable, or unsets it with a null value, until the end of the scope.
class TEnvironment {
 public:
  TEnvironment(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
  }
  ~TEnvironment() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(file.fileName()));
  return file.fileName();
}

QString Unusable(const QString& library) {
  TGBPLibrary gbp(LibraryChoice(library));
  if (gbp.Load())
    return QStringLiteral("usable");
  return gbp.LoadProblem();
}

QString Loader(const QTemporaryDir& dir) {
  const QString script = WriteFile(dir, QStringLiteral("fake-wine"),
                                   "#!/bin/sh\n"
                                   "printf '%s\\n' \"$@\" > \"$0.arguments\"\n"
                                   "env > \"$0.environment\"\n"
                                   "sleep 30 &\n"
                                   "echo $! > \"$0.child\"\n");
  QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return script;
}

QStringList Lines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool Running(const QString& pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid.trimmed()));
  return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
}

}  // namespace

class TestWineLaunch : public QObject {
  Q_OBJECT
 private slots:
  void filesNoHostCanLoadAreRefused();
  void missingWineSaysWhatToInstall();
  void wineGetsTheHostTheLibraryAndItsSettings_data();
  void wineGetsTheHostTheLibraryAndItsSettings();
  void serialPortsAreMappedOnlyWhenChanged();
};

void TestWineLaunch::filesNoHostCanLoadAreRefused() {
  const QTemporaryDir dir;
  QFile real(QStringLiteral(GBP_DLL));
  QVERIFY(real.open(QIODevice::ReadOnly));
  QByteArray wide = real.readAll();
  const int coff = qFromLittleEndian<quint32>(wide.constData() + 0x3c) + 4;
  qToLittleEndian<quint16>(0x8664, wide.data() + coff);
  qToLittleEndian<quint16>(0x20b, wide.data() + coff + 20);
  const QString dll64 = WriteFile(dir, QStringLiteral("gbp64.dll"), wide);
  const QString text = WriteFile(dir, QStringLiteral("gbp.dll"), "not a library\n");
  QCOMPARE(Unusable(dll64), dll64 + ": a 64-bit Windows library: the link needs the 32-bit one");
  QCOMPARE(Unusable(text),
           text + ": not a library: neither a Linux shared object nor a Windows DLL");
  QCOMPARE(Unusable(QStringLiteral(WINDOWS_HOST)),
           QStringLiteral(WINDOWS_HOST ": a Windows program, not a library"));
}

void TestWineLaunch::missingWineSaysWhatToInstall() {
  const QTemporaryDir dir;
  const TEnvironment path("PATH", dir.path().toLocal8Bit());
  {
    const TEnvironment loader("WINELOADER", QByteArray());
    const QString problem = Unusable(QStringLiteral(GBP_DLL));
    QVERIFY2(problem.startsWith(QStringLiteral("Wine is not installed")), qPrintable(problem));
    for (const char* step : {"sudo dpkg --add-architecture i386", "sudo apt-get update",
                             "sudo apt-get install wine wine32:i386"})
      QVERIFY2(problem.contains(QLatin1String(step)), step);
    // The window keeps its message and shows the reason under it.
    TScriptedModal modal;
    TNVMSection nvm(nullptr, LibraryChoice(QStringLiteral(GBP_DLL)));
    QVERIFY(!nvm.InitGBP());
    QCOMPARE(modal.Shown.size(), 1);
    QCOMPARE(modal.Shown[0].Text, QStringLiteral("Unable to open GPB.DLL"));
    QCOMPARE(modal.Shown[0].Detail, problem);
  }
  const TEnvironment loader("WINELOADER", dir.filePath(QStringLiteral("wine")).toLocal8Bit());
  QVERIFY(Unusable(QStringLiteral(GBP_DLL))
              .startsWith(QStringLiteral("WINELOADER=%1 is no program").arg(dir.filePath("wine"))));
}

void TestWineLaunch::wineGetsTheHostTheLibraryAndItsSettings_data() {
  QTest::addColumn<bool>("ownPrefix");
  QTest::addColumn<bool>("prefixMade");
  QTest::newRow("the manager's new prefix") << false << false;
  QTest::newRow("the manager's prefix, made") << false << true;
  QTest::newRow("WINEPREFIX") << true << false;
}

void TestWineLaunch::wineGetsTheHostTheLibraryAndItsSettings() {
  QFETCH(bool, ownPrefix);
  QFETCH(bool, prefixMade);
  const QTemporaryDir dir;
  const QString script = Loader(dir);
  const TEnvironment loader("WINELOADER", script.toLocal8Bit());
  const TEnvironment data("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
  const QString prefix = ownPrefix ? dir.filePath(QStringLiteral("own"))
                                   : dir.filePath(QStringLiteral("data/kiv-manager/wine"));
  const TEnvironment winePrefix("WINEPREFIX", ownPrefix ? prefix.toLocal8Bit() : QByteArray());
  const TEnvironment overrides("WINEDLLOVERRIDES", "d3d9=n");  // replaced, not doubled
  if (prefixMade) {
    QVERIFY(QDir().mkpath(prefix));
    WriteFile(dir, QStringLiteral("data/kiv-manager/wine/system.reg"), "WINE REGISTRY\n");
  }

  TGBPLibrary library(LibraryChoice(QStringLiteral(GBP_DLL)));
  QStringList notices;
  library.SetNotice([&](const QString& text) { notices << text; });
  QVERIFY(library.UnderWine());
  QVERIFY(!library.Load());  // the stand-in sends no hello
  QCOMPARE(library.HowItRuns(), QStringLiteral("in the link host under Wine"));
  QCOMPARE(notices.size(), prefixMade ? 0 : 1);
  if (!prefixMade)
    QVERIFY(notices.constFirst().contains(prefix));

  const QStringList arguments = Lines(script + QStringLiteral(".arguments"));
  QCOMPARE(arguments.size(), 2);
  QVERIFY(arguments[0].endsWith(QStringLiteral("/kiv-linkhost-win32.exe")));
  QCOMPARE(arguments[1],
           QStringLiteral("Z:") + QString::fromUtf8(GBP_DLL).replace(QLatin1Char('/'), '\\'));
  const QStringList environment = Lines(script + QStringLiteral(".environment"));
  for (const QString& setting :
       {QStringLiteral("WINEPREFIX=") + prefix, QStringLiteral("WINEDEBUG=-all"),
        QStringLiteral("WINEDLLOVERRIDES=mscoree,mshtml=")})
    QCOMPARE(environment.count(setting), 1);
  QCOMPARE(environment.filter(QStringLiteral("WINEDLLOVERRIDES=")).size(), 1);
  // What Wine started ends with it: the host's whole process group.
  QTRY_VERIFY(!Running(Lines(script + QStringLiteral(".child")).value(0)));
}

// Each stand-in logs its command line with the prefix it was given; the Wine one fails
// while a file "fail" stands beside it.
void TestWineLaunch::serialPortsAreMappedOnlyWhenChanged() {
  const QTemporaryDir dir;
  const QByteArray logger =
      "#!/bin/sh\nprintf '%s %s [%s]\\n' \"$(basename \"$0\")\" \"$*\" \"$WINEPREFIX\" >> "
      "\"$(dirname \"$0\")/log\"\n"
      "[ ! -e \"$(dirname \"$0\")/fail\" ]\n";
  for (const QString name : {"wine", "wineserver"})
    QFile::setPermissions(WriteFile(dir, name, logger),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const TEnvironment loader("WINELOADER", dir.filePath(QStringLiteral("wine")).toLocal8Bit());
  const QString prefix = dir.filePath(QStringLiteral("prefix"));
  const TEnvironment winePrefix("WINEPREFIX", prefix.toLocal8Bit());
  QVERIFY(QDir().mkpath(prefix));
  WriteFile(dir, QStringLiteral("prefix/system.reg"), "WINE REGISTRY\n");
  const QString log = dir.filePath(QStringLiteral("log"));
  const QString key = QStringLiteral("HKLM\\Software\\Wine\\Ports");
  const QString tail = QStringLiteral(" [%1]").arg(prefix);
  const auto apply = [&](const TSerialMap& wanted) {
    QFile::remove(log);
    const QString problem = ApplyWinePorts(FindWine(), wanted);
    return problem.isEmpty() ? Lines(log) : QStringList{problem};
  };

  const TSerialMap usb{{1, QStringLiteral("/dev/ttyUSB0")}, {2, QStringLiteral("/dev/ttyS1")}};
  QCOMPARE(apply(usb),
           (QStringList{"wine reg add " + key + " /v COM1 /t REG_SZ /d /dev/ttyUSB0 /f" + tail,
                        "wine reg add " + key + " /v COM2 /t REG_SZ /d /dev/ttyS1 /f" + tail,
                        "wineserver -k" + tail}));
  QCOMPARE(apply(usb), QStringList());
  const TSerialMap acm{{1, QStringLiteral("/dev/ttyACM0")}};
  QCOMPARE(apply(acm),
           (QStringList{"wine reg add " + key + " /v COM1 /t REG_SZ /d /dev/ttyACM0 /f" + tail,
                        "wine reg delete " + key + " /v COM2 /f" + tail, "wineserver -k" + tail}));
  // A failed write records nothing: the next start tries again.
  WriteFile(dir, QStringLiteral("fail"), "");
  QVERIFY(apply(usb).constFirst().startsWith("Cannot map the serial ports in the Wine prefix " +
                                             prefix + ": wine reg add"));
  QFile::remove(dir.filePath(QStringLiteral("fail")));
  QCOMPARE(apply(usb).size(), 3);

  // The library maps the ports before its host starts under Wine.
  QFile::remove(log);
  TLinkChoice choice = LibraryChoice(QStringLiteral(GBP_DLL));
  choice.Serial = acm;
  TGBPLibrary library(choice);
  QVERIFY(!library.Load());  // the stand-in runs no host
  const QStringList calls = Lines(log);
  QCOMPARE(calls.size(), 4);
  QVERIFY(calls[0].startsWith("wine reg add " + key + " /v COM1 /t REG_SZ /d /dev/ttyACM0"));
  QVERIFY(calls[3].startsWith("wine ") && calls[3].contains("kiv-linkhost-win32.exe"));
}

QTEST_GUILESS_MAIN(TestWineLaunch)
#include "test_winelaunch.moc"
