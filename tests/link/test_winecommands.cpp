// Wine's own commands under the link host's rules, and a prefix made while Wine ran only
// 64-bit programs, each with a stand-in for Wine's loader: a command is ended at its deadline
// times the factor and at once by Cancel; a prefix without Wine's 32-bit system is brought up
// to date once, told once, and where the kernel runs no 32-bit programs that is what is said.
// Real Wine runs in tests/wine.

#include <QtTest>
#include <atomic>

#include "link/gbplibrary.h"
#include "link/wine32.h"
#include "link/winerun.h"

namespace {

// A stand-in for Wine's loader: a shell script, or any bytes.
QString WriteLoader(const QTemporaryDir& dir, const QByteArray& bytes) {
  QFile file(dir.filePath(QStringLiteral("wine")));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(file.fileName()));
  file.setPermissions(file.permissions() | QFile::ExeOwner);
  return file.fileName();
}

// A 32-bit i386 program of 91 bytes that ends with exit status 0.
QByteArray Elf32Exit0() {
  QByteArray elf(
      "\x7f"
      "ELF\x01\x01\x01",
      7);
  elf.append(9, '\0');
  const auto add16 = [&](quint16 v) { elf.append(char(v & 0xff)).append(char(v >> 8)); };
  const auto add32 = [&](quint32 v) {
    add16(quint16(v & 0xffff));
    add16(quint16(v >> 16));
  };
  const quint32 base = 0x08048000;
  const QByteArray code("\x31\xdb\x31\xc0\x40\xcd\x80", 7);  // exit(0) through int 0x80
  add16(2);
  add16(3);
  add32(1);
  add32(base + 52 + 32);
  add32(52);
  add32(0);
  add32(0);
  add16(52);
  add16(32);
  add16(1);
  add16(0);
  add16(0);
  add16(0);
  add32(1);
  add32(0);
  add32(base);
  add32(base);
  add32(52 + 32 + 7);
  add32(52 + 32 + 7);
  add32(5);
  add32(0x1000);
  return elf + code;
}

// A prefix that looks made, with its syswow64 empty, as a Wine of 64-bit programs leaves it.
TWine MadePrefix(const QTemporaryDir& dir, const QString& loader) {
  TWine wine;
  wine.Bits = 32;
  wine.Loader = loader;
  wine.Prefix = dir.filePath(QStringLiteral("prefix"));
  wine.PrefixMade = true;
  QDir().mkpath(wine.Prefix + QStringLiteral("/drive_c/windows/syswow64"));
  QFile(wine.Prefix + QStringLiteral("/system.reg")).open(QIODevice::WriteOnly);
  return wine;
}

}  // namespace

class TestWineCommands : public QObject {
  Q_OBJECT
 private slots:
  void aCommandEndsAtItsDeadlineOrCancel_data();
  void aCommandEndsAtItsDeadlineOrCancel();
  void aPrefixWithout32BitWineIsBroughtUpToDateOnce();
  void aKernelWithout32BitProgramsIsSaidSo();
};

void TestWineCommands::aCommandEndsAtItsDeadlineOrCancel_data() {
  QTest::addColumn<QByteArray>("script");
  QTest::addColumn<bool>("cancel");
  QTest::addColumn<QString>("problem");
  QTest::newRow("works") << QByteArray("exit 0") << false << QString();
  QTest::newRow("fails") << QByteArray("echo refused; exit 3") << false
                         << "wine reg add failed (exit status 3): refused";
  // 0.01 x (15 s + 45 s for the boot of a prefix).
  QTest::newRow("late") << QByteArray("exec sleep 30") << false
                        << "wine reg add did not finish within 0.6 s";
  QTest::newRow("cancelled") << QByteArray("exec sleep 30") << true
                             << "Cancelled: wine reg add was still running";
}

void TestWineCommands::aCommandEndsAtItsDeadlineOrCancel() {
  QFETCH(QByteArray, script);
  QFETCH(bool, cancel);
  QFETCH(QString, problem);
  const QTemporaryDir dir;
  const TWine wine = MadePrefix(dir, WriteLoader(dir, "#!/bin/sh\n" + script + "\n"));
  const std::atomic<bool> cancelled{cancel};
  QElapsedTimer took;
  took.start();
  const TWineRun run = RunWineCommand(
      wine, TWineCommand{wine.Loader, {QStringLiteral("reg"), QStringLiteral("add")}, 0},
      TWineWatch{0.01, &cancelled});
  QCOMPARE(run.Problem, problem);
  QCOMPARE(run.Done, problem.isEmpty());
  QCOMPARE(run.Cancelled, cancel);
  QVERIFY2(took.elapsed() < 5000, qPrintable(QString::number(took.elapsed())));
}

void TestWineCommands::aPrefixWithout32BitWineIsBroughtUpToDateOnce() {
  const QTemporaryDir dir;
  // wineboot -u fills syswow64; anything else ends at once, as a host Wine cannot run.
  const TWine wine =
      MadePrefix(dir, WriteLoader(dir,
                                  "#!/bin/sh\n[ \"$1 $2\" = \"wineboot -u\" ] && "
                                  "touch \"$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll\"\n"
                                  "exit 0\n"));
  QStringList told;
  const auto notice = [&](const QString& text) { told << text; };
  QVERIFY(!PrefixRuns32Bit(wine));
  QCOMPARE(Ready32BitPrefix(wine, TWineWatch{}, notice), QString());
  QVERIFY(PrefixRuns32Bit(wine));
  QCOMPARE(Ready32BitPrefix(wine, TWineWatch{}, notice), QString());
  QCOMPARE(told, QStringList{"Bringing the Wine prefix " + wine.Prefix +
                             " up to date for 32-bit programs (once; this may take half a "
                             "minute)..."});
  // A wineboot that leaves it as it was: what to do, in one sentence.
  const TWine unchanged = MadePrefix(dir, WriteLoader(dir, "#!/bin/sh\nexit 0\n"));
  QFile::remove(unchanged.Prefix + QStringLiteral("/drive_c/windows/syswow64/kernel32.dll"));
  QCOMPARE(Ready32BitPrefix(unchanged, TWineWatch{}, notice),
           "The Wine prefix " + unchanged.Prefix +
               " was made before Wine could run 32-bit programs and could not be brought up to "
               "date (it still lacks Wine's 32-bit system): run `WINEPREFIX=" +
               unchanged.Prefix +
               " wineboot -u`, or move the folder away so that it is made "
               "afresh.");
}

void TestWineCommands::aKernelWithout32BitProgramsIsSaidSo() {
  const QTemporaryDir dir;
  const TWine wine = MadePrefix(dir, WriteLoader(dir, Elf32Exit0()));
  QProcess probe;
  probe.start(wine.Loader);
  if (probe.waitForFinished() && probe.exitCode() == 0)
    QSKIP("this machine's kernel runs 32-bit programs");
  QVERIFY(!KernelRuns32Bit(wine, TWineWatch{}));
  QCOMPARE(Ready32BitPrefix(wine, TWineWatch{}, {}), Kernel32BitText());
  QVERIFY(!PrefixRuns32Bit(wine));
}

QTEST_GUILESS_MAIN(TestWineCommands)
#include "test_winecommands.moc"
