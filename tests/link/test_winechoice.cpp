// What is refused before anything starts, each with its reason: files no link host can load,
// a Wine that is missing or runs only 64-bit programs, and a link host that is missing. The
// Windows libraries themselves run under real Wine in tests/wine.

#include <QtTest>

#include "link/gbplibrary.h"
#include "link/nvmsection.h"
#include "link/winehost.h"
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

QString Unusable(const TLinkChoice& choice) {
  const auto gbp = MakeGBPLibrary(choice);
  return gbp->Load() ? QStringLiteral("usable") : gbp->LoadProblem();
}

QString Unusable(const QString& library) {
  return Unusable(LibraryChoice(library));
}

}  // namespace

class TestWineChoice : public QObject {
  Q_OBJECT
 private slots:
  void filesNoHostCanLoadAreRefused();
  void wineThatIsNoProgramIsTold_data();
  void wineThatIsNoProgramIsTold();
  void only64BitWineIsToldAsSuch();
  void missingHostIsToldByName();
  void wineSpeaksOnlyWhenAsked();
};

void TestWineChoice::filesNoHostCanLoadAreRefused() {
  const QTemporaryDir dir;
  QFile real(QStringLiteral(GBP_DLL64));
  QVERIFY(real.open(QIODevice::ReadOnly));
  QByteArray arm = real.readAll();
  qToLittleEndian<quint16>(0xaa64,
                           arm.data() + qFromLittleEndian<quint32>(arm.constData() + 0x3c) + 4);
  const QString armDll = WriteFile(dir, QStringLiteral("gbparm.dll"), arm);
  const QString text = WriteFile(dir, QStringLiteral("gbp.dll"), "not a library\n");
  QCOMPARE(Unusable(armDll), armDll +
                                 ": a 64-bit Windows library for ARM64: the link runs x86 "
                                 "ones (i386 or x86-64)");
  QCOMPARE(Unusable(text),
           text + ": not a library: neither a Linux shared object nor a Windows DLL");
  QCOMPARE(Unusable(QStringLiteral(WINDOWS_HOST64)),
           QStringLiteral(WINDOWS_HOST64 ": a Windows program, not a library"));
  // A mistyped name is told as typed, not as the loader's guesses at other names.
  QCOMPARE(Unusable(QStringLiteral("libnothere.dll")),
           QStringLiteral("libnothere.dll: no such file"));
}

void TestWineChoice::wineThatIsNoProgramIsTold_data() {
  QTest::addColumn<QString>("library");
  QTest::addColumn<int>("bits");
  QTest::newRow("32-bit") << QStringLiteral(GBP_DLL32) << 32;
  QTest::newRow("64-bit") << QStringLiteral(GBP_DLL64) << 64;
}

void TestWineChoice::wineThatIsNoProgramIsTold() {
  QFETCH(QString, library);
  QFETCH(int, bits);
  const QTemporaryDir dir;
  const TEnvironment loader("WINELOADER", dir.filePath(QStringLiteral("wine")).toLocal8Bit());
  const QString problem = Unusable(library);
  QCOMPARE(problem, QStringLiteral("WINELOADER=%1 is no program: a %2-bit Windows library runs "
                                   "under Wine.")
                        .arg(dir.filePath(QStringLiteral("wine")))
                        .arg(bits));
  // The window keeps its message and shows the reason under it.
  TScriptedModal modal;
  TNVMSection nvm(nullptr, LibraryChoice(library));
  QVERIFY(!nvm.InitGBP());
  QCOMPARE(modal.Shown.size(), 1);
  QCOMPARE(modal.Shown[0].Text, QStringLiteral("Unable to open GPB.DLL"));
  QCOMPARE(modal.Shown[0].Detail, problem);
}

void TestWineChoice::only64BitWineIsToldAsSuch() {
  const TEnvironment loader("WINELOADER", QByteArray());
  if (!FindWine(32).Only64)
    QSKIP("this machine's Wine runs 32-bit programs, or there is no Wine at all");
  const QString problem = Unusable(QStringLiteral(GBP_DLL32));
  QVERIFY2(problem.startsWith(QStringLiteral("This Wine runs only 64-bit programs: install "
                                             "wine32")),
           qPrintable(problem));
  for (const char* step : {"sudo dpkg --add-architecture i386", "sudo apt-get update",
                           "sudo apt-get install wine wine32:i386"})
    QVERIFY2(problem.contains(QLatin1String(step)), step);
}

void TestWineChoice::missingHostIsToldByName() {
  const QTemporaryDir dir;
  TLinkChoice choice = LibraryChoice(QStringLiteral(GBP_DLL64));
  choice.HostProgram = dir.filePath(QStringLiteral("kiv-linkhost-win64.exe"));
  QCOMPARE(Unusable(choice), QStringLiteral("The link host kiv-linkhost-win64.exe is missing: it "
                                            "was looked for in %1.")
                                 .arg(dir.path()));
}

void TestWineChoice::wineSpeaksOnlyWhenAsked() {
  const QTemporaryDir home;
  TWine wine;
  wine.Loader = QStringLiteral("/usr/bin/wine64");
  wine.Prefix = home.filePath(QStringLiteral("prefix"));
  const auto debugSetting = [&] {
    const QStringList environment = WineLaunch(wine, QStringLiteral("host.exe")).Environment;
    return environment.filter(QRegularExpression(QStringLiteral("^WINEDEBUG="))).join(' ');
  };
  qunsetenv("WINEDEBUG");
  QCOMPARE(debugSetting(), QStringLiteral("WINEDEBUG=-all"));
  // Asked for: the manager's own setting reaches Wine, with nothing of the launch over it.
  qputenv("WINEDEBUG", "err+all");
  QCOMPARE(debugSetting(), QString());
  qunsetenv("WINEDEBUG");
}

QTEST_GUILESS_MAIN(TestWineChoice)
#include "test_winechoice.moc"
