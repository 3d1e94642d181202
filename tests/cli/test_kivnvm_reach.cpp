// Where kivnvm's writing commands may go, the special files it refuses to read, a backup
// into a symbolic link, a port another program holds, and what put and list tell beside
// their work.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QDir>
#include <QtTest>

#include "tests/cli/kivnvmphonetest.h"
#include "tests/cli/sampleimages.h"

class TestKivnvmReach : public TKivnvmPhoneTest {
  Q_OBJECT
 private Q_SLOTS:
  void writesOnlyWhereTheWindowCan_data();
  void writesOnlyWhereTheWindowCan();
  void namedPipesAreRefusedAtOnce();
  void backupIntoALinkToAFolder();
  void busyPortSaysWhy();
  void compressionThatGrowsIsNoted();
  void listAlignsByDisplayWidth();
};

void TestKivnvmReach::writesOnlyWhereTheWindowCan_data() {
  QTest::addColumn<QStringList>("command");
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::addColumn<bool>("allowed");
  QTest::newRow("put, phone data") << QStringList{"put", "5-1"} << 5 << 1 << false;
  QTest::newRow("put, past the big slots") << QStringList{"put", "18-99"} << 18 << 99 << false;
  QTest::newRow("put, between small slots and libraries")
      << QStringList{"put", "2-15"} << 2 << 15 << false;
  QTest::newRow("clear, phone data") << QStringList{"clear", "5-1"} << 5 << 1 << false;
  QTest::newRow("put, last big slot") << QStringList{"put", "18-29"} << 18 << 29 << true;
  QTest::newRow("put, small slot") << QStringList{"put", "2-10"} << 2 << 10 << true;
  QTest::newRow("put, PRG3 library") << QStringList{"put", "2-16"} << 2 << 16 << true;
  QTest::newRow("clear, preferences") << QStringList{"clear", "2-18"} << 2 << 18 << true;
  QTest::newRow("put, a slot only by --slots")
      << QStringList{"put", "--slots", "1-2,10-14", "18-2"} << 18 << 2 << true;
  QTest::newRow("put, a default slot outside --slots")
      << QStringList{"put", "--slots", "1-2,10-14", "18-9"} << 18 << 9 << false;
}

void TestKivnvmReach::writesOnlyWhereTheWindowCan() {
  QFETCH(QStringList, command);
  QFETCH(int, section);
  QFETCH(int, subsection);
  QFETCH(bool, allowed);
  const bool put = command.first() == "put";
  const QByteArray old("what the phone keeps");
  phone_->Put(section, subsection, old);
  WriteFileBytes(Path("file"), "new content");
  const QStringList arguments = put ? command + QStringList{Path("file")} : command;

  TKivnvmRun run = kivnvm_.Run(arguments);
  if (allowed) {
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(phone_->Holds(section, subsection), put);
    return;
  }
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("2-16, 2-17, 2-18. Give --force"), qPrintable(run.Err));
  QVERIFY2(run.Err.contains(command.contains("--slots") ? "18-1..18-2, 2-10..2-14"
                                                        : "18-9..18-29, 2-10..2-14"),
           qPrintable(run.Err));
  QCOMPARE(phone_->Get(section, subsection), old);
  QVERIFY(phone_->Journal().isEmpty());

  run = kivnvm_.Run(arguments + QStringList{"--force"});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(phone_->Holds(section, subsection), put);
  if (put)
    QCOMPARE(phone_->Get(section, subsection), QByteArray("new content"));
}

// A named pipe would block its reader until some writer came: refused at once instead
// (the runner fails a kivnvm that hangs).
void TestKivnvmReach::namedPipesAreRefusedAtOnce() {
  MakeDemoPhone();
  QCOMPARE(kivnvm_.Run({"backup", Path("backup")}).ExitCode, 0);
  const QString planted = Path("backup/18-10");
  QVERIFY(QFile::remove(planted));
  QVERIFY(MakeSpecialFile(planted, sfFifo));
  for (const QStringList& options : {QStringList{}, QStringList{"--dry-run", "--only", "18-9"}}) {
    const TKivnvmRun run =
        kivnvm_.Run(QStringList{"restore"} + options + QStringList{Path("backup")});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.contains("Cannot open file " + planted + ": it is a named pipe"),
             qPrintable(run.Err));
  }
  QCOMPARE(phone_->Calls("WriteNVMFile"), 0);

  const TKivnvm piped;
  QVERIFY(MakeSpecialFile(piped.Dir() + "/KivManager.INI", sfFifo));
  const TKivnvmRun run = piped.Run({"list"});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("KivManager.INI cannot be read: it is a named pipe"),
           qPrintable(run.Err));
}

void TestKivnvmReach::backupIntoALinkToAFolder() {
  phone_->Put(18, 9, "content");
  QVERIFY(QDir().mkpath(Path("empty")));
  QVERIFY(QFile::link(Path("empty"), Path("link")));
  TKivnvmRun run = kivnvm_.Run({"backup", Path("link")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY(QFileInfo(Path("link")).isSymLink());
  QCOMPARE(ReadFileBytes(Path("empty/18-9")), QByteArray("content"));
  QVERIFY(QFile::exists(Path("link/manifest.json")));

  QVERIFY(QFile::link(Path("gone"), Path("dangling")));
  run = kivnvm_.Run({"backup", Path("dangling")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains(Path("dangling") + " is a symbolic link to " + Path("gone") +
                            ", which does not exist"),
           qPrintable(run.Err));
}

void TestKivnvmReach::busyPortSaysWhy() {
  // Another program holding the port holds its folder's lock, as the virtual phone takes it.
  const int held = open(QFile::encodeName(phone_->PortDir()).constData(), O_RDONLY | O_DIRECTORY);
  QVERIFY(held >= 0);
  QCOMPARE(flock(held, LOCK_EX | LOCK_NB), 0);
  const TKivnvmRun run = kivnvm_.Run({"list"});
  close(held);
  QCOMPARE(run.ExitCode, 1);
  const QStringList lines = run.Err.split('\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), 2);
  QVERIFY2(lines[0].startsWith("kivnvm: GBP Error: Can't open port! (COM1, "), qPrintable(run.Err));
  QVERIFY2(lines[1].startsWith("kivnvm: COM1: the port is in use by another program ("),
           qPrintable(run.Err));
}

void TestKivnvmReach::compressionThatGrowsIsNoted() {
  QByteArray noise;
  for (quint32 value = 1; noise.size() < 1000; value = value * 1103515245u + 12345u)
    noise.append(char(value >> 16));
  for (const QByteArray& data : {noise, QByteArray(1000, '\0')}) {
    WriteFileBytes(Path("file"), data);
    const TKivnvmRun run = kivnvm_.Run({"put", "--compress", "18-9", Path("file")});
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Err.contains("more than the 1000 of the file: its data does not compress"),
             data == noise);
  }
}

namespace {

QByteArray Ringer(const QString& name, int size) {
  QByteArray ringer(4, '\0');
  for (const QChar c : name)
    ringer.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
  return ringer + QByteArray(size - ringer.size(), '\0');
}

// The columns a terminal gives these test texts: CJK ideographs two, the rest one.
int Columns(const QString& text) {
  int columns = 0;
  for (const QChar c : text)
    columns += c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF ? 2 : 1;
  return columns;
}

}  // namespace

void TestKivnvmReach::listAlignsByDisplayWidth() {
  // Captions longer than the column: Cyrillic, one column a letter but two bytes in UTF-8,
  // and CJK, two columns a character.
  phone_->Put(18, 9, Ringer(QStringLiteral("Мелодия для звонка номер один"), 236));
  phone_->Put(18, 10, Ringer(QStringLiteral("电话铃声"), 309));
  phone_->Put(18, 11, Word(0x20000000) + QByteArray("Short") + QByteArray(403, '\0'));
  const TKivnvmRun run = kivnvm_.Run({"list", "--slots", "9-11,10-9"});
  QCOMPARE(run.ExitCode, 0);
  const QStringList lines = run.OutLines();
  QCOMPARE(lines.size(), 3);
  QVERIFY2(lines[0].contains(QStringLiteral("Мелодия для звонка номер один")), qPrintable(run.Out));
  // The size column ends at the same screen column on every row.
  QList<int> ends;
  for (const auto& [line, size] :
       {std::pair{lines[0], QStringLiteral(" 236")}, std::pair{lines[1], QStringLiteral(" 309")},
        std::pair{lines[2], QStringLiteral(" 412")}})
    ends << Columns(line.left(line.indexOf(size) + size.size()));
  QCOMPARE(ends, QList<int>({ends[0], ends[0], ends[0]}));
}

QTEST_MAIN(TestKivnvmReach)
#include "test_kivnvm_reach.moc"
