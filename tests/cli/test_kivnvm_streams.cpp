// kivnvm's inputs and outputs that are no regular files: pipes and standard input, which
// report no size; standard output; devices and FIFOs, which must stay what they are; and
// inputs larger than a command can use.

#include <QtTest>

#include "tests/cli/kivnvmrunner.h"
#include "tests/cli/sampleimages.h"

class TestKivnvmStreams : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void inputsAreReadNotSized();
  void inspectTakesAnySize();
  void standardInputAndOutput_data();
  void standardInputAndOutput();
  void outputsThatAreNoRegularFiles_data();
  void outputsThatAreNoRegularFiles();

 private:
  void AddFileToFileRows();
  QString Path(const QString& name) const { return work_->filePath(name); }
  QString Put(const QString& name, const QByteArray& bytes) const {
    WriteFileBytes(Path(name), bytes);
    return Path(name);
  }

  TKivnvm kivnvm_;
  std::unique_ptr<QTemporaryDir> work_;
};

void TestKivnvmStreams::init() {
  work_ = std::make_unique<QTemporaryDir>();
}

void TestKivnvmStreams::inputsAreReadNotSized() {
  // A pipe reports no size: it is described by the bytes it brings.
  const QByteArray program = PlainProgram(0x20000000, "Calc", 3000);
  const TKivnvmRun piped = kivnvm_.Run({"inspect", "--json", "/dev/stdin"}, program);
  QCOMPARE(piped.ExitCode, 0);
  QCOMPARE(piped.Out, kivnvm_.Run({"inspect", "--json", Put("calc", program)}).Out);

  // What a regular file may not hold, a pipe may not either.
  const TKivnvmRun tooMuch =
      kivnvm_.Run({"pack", "/dev/stdin", Path("out")}, QByteArray(70000, '\0'));
  QCOMPARE(tooMuch.ExitCode, 1);
  QVERIFY2(tooMuch.Err.contains("more than 65536 bytes"), qPrintable(tooMuch.Err));
  QVERIFY(!QFile::exists(Path("out")));

  // An endless input is refused once it has brought more than a section holds.
  if (!MakeSpecialFile(Path("zero"), sfZeroDevice))
    QSKIP("making a device node needs root");
  const TKivnvmRun endless = kivnvm_.Run({"convert", Path("zero"), Path("out")});
  QCOMPARE(endless.ExitCode, 1);
  QVERIFY2(endless.Err.contains("more than 65536 bytes"), qPrintable(endless.Err));
}

// One input for each command that reads a file and writes one.
// Recognition needs the first bytes and the size: a file of any size is described, and an
// endless stream is counted only so far, never held.
void TestKivnvmStreams::inspectTakesAnySize() {
  QByteArray program = PlainProgram(0x20000000, "Big", 70000);
  for (const bool piped : {false, true}) {
    const TKivnvmRun run = piped ? kivnvm_.Run({"inspect", "-"}, program)
                                 : kivnvm_.Run({"inspect", Put("big", program)});
    QCOMPARE(run.ExitCode, 0);
    const QStringList lines = run.OutLines();
    QVERIFY2(lines.contains("Caption: Big"), qPrintable(run.Out));
    QVERIFY(lines.contains("Size: 70000 bytes"));
    QVERIFY(lines.contains("Note: 70000 bytes, larger than any slot (at most 65536)"));
  }
  const TKivnvmRun data = kivnvm_.Run({"inspect", Put("data", "plain data")});
  QVERIFY2(data.OutLines().contains("Icon picture: none"), qPrintable(data.Out));

  const TKivnvmRun endless = kivnvm_.RunFromFile({"inspect", "--json", "-"}, "/dev/zero");
  QCOMPARE(endless.ExitCode, 0);
  QVERIFY2(endless.Out.contains("\"size\": 16777216"), qPrintable(endless.Out));
  QVERIFY(
      endless.Out.contains("\"note\": \"standard input did not end: counted up to 16777216 "
                           "bytes, larger than any slot\""));
}

void TestKivnvmStreams::AddFileToFileRows() {
  QTest::addColumn<QStringList>("command");
  QTest::addColumn<QByteArray>("input");
  const QTemporaryDir dir;
  const QString program = dir.filePath("program");
  const QString packed = dir.filePath("packed");
  WriteFileBytes(program, PlainProgram(0x20000000, "Calc", 3000));
  QCOMPARE(kivnvm_.Run({"pack", program, packed}).ExitCode, 0);
  QTest::newRow("pack") << QStringList{"pack"} << ReadFileBytes(program);
  QTest::newRow("unpack") << QStringList{"unpack"} << ReadFileBytes(packed);
  QTest::newRow("convert") << QStringList{"convert"} << ConvertibleImage();
  QTest::newRow("prg3") << QStringList{"prg3"} << QByteArray("RELEASE=3\n10 first\n");
}

void TestKivnvmStreams::standardInputAndOutput_data() {
  AddFileToFileRows();
}

// "-" reads standard input and writes standard output, with the same bytes as files give.
void TestKivnvmStreams::standardInputAndOutput() {
  QFETCH(QStringList, command);
  QFETCH(QByteArray, input);
  const TKivnvmRun toFile = kivnvm_.Run(command + QStringList{Put("in", input), Path("out")});
  QCOMPARE(toFile.ExitCode, 0);
  const TKivnvmRun streamed = kivnvm_.Run(command + QStringList{"-", "-"}, input);
  QCOMPARE(streamed.ExitCode, 0);
  QCOMPARE(streamed.OutBytes, ReadFileBytes(Path("out")));
  // convert's report goes to standard error when the image takes standard output.
  for (const QString& line : toFile.OutLines())
    QVERIFY2(streamed.Err.contains(line), qPrintable(streamed.Err));

  const TKivnvmRun inspected = kivnvm_.Run({"inspect", "-"}, input);
  QCOMPARE(inspected.Out, kivnvm_.Run({"inspect", Path("in")}).Out);
}

void TestKivnvmStreams::outputsThatAreNoRegularFiles_data() {
  AddFileToFileRows();
}

void TestKivnvmStreams::outputsThatAreNoRegularFiles() {
  QFETCH(QStringList, command);
  QFETCH(QByteArray, input);
  const QString in = Put("in", input);
  QCOMPARE(kivnvm_.Run(command + QStringList{in, Path("regular")}).ExitCode, 0);

  // A FIFO's reader gets the bytes, and the FIFO stays one.
  QVERIFY(MakeSpecialFile(Path("fifo"), sfFifo));
  QProcess reader;
  reader.start("cat", {Path("fifo")});
  QVERIFY(reader.waitForStarted());
  QCOMPARE(kivnvm_.Run(command + QStringList{in, Path("fifo")}).ExitCode, 0);
  QVERIFY(reader.waitForFinished());
  QCOMPARE(reader.readAllStandardOutput(), ReadFileBytes(Path("regular")));
  QVERIFY(IsSpecialFile(Path("fifo"), sfFifo));

  // A device that takes no byte: a failure, and the node is not replaced by a file.
  if (!MakeSpecialFile(Path("full"), sfFullDevice))
    QSKIP("making a device node needs root");
  const TKivnvmRun full = kivnvm_.Run(command + QStringList{in, Path("full")});
  QCOMPARE(full.ExitCode, 1);
  QVERIFY2(full.Err.contains("Cannot create file " + Path("full")), qPrintable(full.Err));
  QVERIFY(full.Out.isEmpty());
  QVERIFY(IsSpecialFile(Path("full"), sfFullDevice));
}

QTEST_MAIN(TestKivnvmStreams)
#include "test_kivnvm_streams.moc"
