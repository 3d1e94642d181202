// Converting a stored UFIF 2.0 program in place, and the conversion's report dialog.

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include "catalogue/gridtext.h"
#include "common/bytes.h"
#include "settings/ui/expertsform.h"
#include "tests/support/managerfixture.h"
#include "ufif/lzocontainer.h"
#include "ufif/ui/badaddrform.h"
#include "ufif/ui/okbottomdlg.h"
#include "ui_badaddrform.h"

namespace {

const QString UploadedText = QStringLiteral("Section uploaded sucsessfully!");
const QString ConvertErrorText = QStringLiteral(
    "Section uploaded with error or out of memory!\n"
    "Try to upload again or free some NVM memory.\n"
    "Converted program stored at temp.prg file!!!");

}  // namespace

class TestConvert : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<TManagerFixture> f;

  bool TempPrgExists() const { return QFileInfo::exists(f->FilePath(QStringLiteral("temp.prg"))); }

 private Q_SLOTS:
  void init() { f = std::make_unique<TManagerFixture>(); }
  void cleanup() {
    QVERIFY2(f->Modal.Unexpected.isEmpty(), qPrintable(f->Modal.Unexpected.join("; ")));
    f.reset();
  }

  void convertsTheStoredProgram_data();
  void convertsTheStoredProgram();
  void containerGoesBackUnchanged();
  void sectionTooBigIsRefusedUntouched();
  void readFailureChangesNothing();
  void sectionEmptiedSinceTheRefreshIsLeftAlone();
  void uncreatableCopyEndsBeforeAnythingIsErased();
  void truncatedWriteBackKeepsTheCopy();
  void failedLinkAtWriteBackKeepsTheCopy();
  void badFirmwareTextEndsBeforeAnythingIsErased();
  void reportIsShownAndKeptWhenTheNextIsEmpty();
};

void TestConvert::convertsTheStoredProgram_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::newRow("big slot 18-9") << BigRow << 18 << 9;
  QTest::newRow("small slot 2-10") << SmallRow << 2 << 10;
}

void TestConvert::convertsTheStoredProgram() {
  QFETCH(int, row);
  QFETCH(int, section);
  QFETCH(int, subsection);
  f->Phone.Put(section, subsection, UFIFProgram(0x20000000, 3000));
  f->Select(row);
  f->Run(&TForm1::ConvertActionExecute);
  const QByteArray held = f->Phone.Get(section, subsection);
  QCOMPARE(held.size(), 3000);
  QCOMPARE(ByteAt(held, 2), quint8(0x01));
  QCOMPARE(ByteAt(held, 3), quint8(0x20));
  QCOMPARE(WordAt(held, 108), 0x37037Du);
  QCOMPARE(f->FileBytes(QStringLiteral("temp.prg")), held);
  QCOMPARE(f->Modal.ShownTexts(), QStringList{UploadedText});
  QCOMPARE(f->Status(), QStringLiteral("Uploaded!"));
  QCOMPARE(FormatLabel(Form1->Slots[row].FormatTag), QStringLiteral("UFIF 2.1"));
  QCOMPARE(f->Phone.Calls("ClearNVMFile"), 1);
}

void TestConvert::containerGoesBackUnchanged() {
  const QByteArray container = BuildLZOContainer(UFIFProgram(0x20000000, 3000), 0xE852);
  QVERIFY(!container.isEmpty());
  f->Phone.Put(18, 9, container);
  f->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(f->Phone.Get(18, 9), container);
  QCOMPARE(f->FileBytes(QStringLiteral("temp.prg")), container);
  QCOMPARE(f->Phone.Calls("ClearNVMFile"), 1);
  QCOMPARE(f->Modal.ShownTexts(), QStringList{UploadedText});
}

void TestConvert::sectionTooBigIsRefusedUntouched() {
  const QByteArray program = UFIFProgram(0x20000000, 30000);
  f->Phone.Put(18, 9, program);
  f->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(f->Phone.Get(18, 9), program);
  QCOMPARE(f->Phone.Calls("ClearNVMFile"), 0);
  QCOMPARE(f->Phone.Calls("WriteNVMFile"), 0);
  QVERIFY(!TempPrgExists());
  QCOMPARE(f->Modal.Shown.size(), 1);
  QCOMPARE(f->LastBox().Caption, QStringLiteral("ERROR"));
  QVERIFY(f->LastBox().Text.contains(QStringLiteral("18-9")));
  QVERIFY(f->LastBox().Text.contains(QStringLiteral("30000")));
  QCOMPARE(f->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

void TestConvert::readFailureChangesNothing() {
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  f->Phone.Put(18, 9, program);
  f->Phone.SetFaults(QStringLiteral("read 18-9=-5"));
  f->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(f->Modal.ShownTexts(), QStringList{QStringLiteral("Error reading section 18-9")});
  QCOMPARE(f->Phone.Get(18, 9), program);
  QCOMPARE(f->Phone.Calls("ClearNVMFile"), 0);
  QVERIFY(!TempPrgExists());
  QCOMPARE(f->Status(), QStringLiteral("Downloading data..."));
}

// The row still shows the program, but the section was emptied since the last refresh.
void TestConvert::sectionEmptiedSinceTheRefreshIsLeftAlone() {
  f->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000));
  f->Run(&TForm1::RefreshActionExecute);
  f->Phone.Remove(18, 9);
  f->Modal.Clear();
  f->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(f->Modal.ShownTexts(),
           QStringList{QStringLiteral("Section 18-9 is empty: there is nothing to convert.")});
  QCOMPARE(f->Phone.Calls("ClearNVMFile") + f->Phone.Calls("WriteNVMFile"), 0);
  QVERIFY(!TempPrgExists());
}

void TestConvert::uncreatableCopyEndsBeforeAnythingIsErased() {
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  f->Phone.Put(18, 9, program);
  QVERIFY(QDir().mkpath(f->FilePath(QStringLiteral("temp.prg/occupied"))));
  f->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(f->LastBox().Kind, TShownBox::Error);
  QCOMPARE(f->LastBox().Text, QStringLiteral("Cannot create file temp.prg."));
  QCOMPARE(f->Phone.Get(18, 9), program);
  QCOMPARE(f->Phone.Calls("ClearNVMFile") + f->Phone.Calls("WriteNVMFile"), 0);
  QCOMPARE(f->Status(), QStringLiteral("Convert done!"));
}

void TestConvert::truncatedWriteBackKeepsTheCopy() {
  f->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000));
  f->Phone.SetFaults(QStringLiteral("write 18-9=truncate 100"));
  f->Run(&TForm1::ConvertActionExecute);
  const QByteArray copy = f->FileBytes(QStringLiteral("temp.prg"));
  QCOMPARE(copy.size(), 3000);
  QCOMPARE(WordAt(copy, 0), 0x20010000u);
  QCOMPARE(f->Phone.Get(18, 9), copy.left(100));
  QCOMPARE(f->Modal.ShownTexts(), QStringList{ConvertErrorText});
  QCOMPARE(f->LastBox().Caption, QStringLiteral("ERROR"));
  QCOMPARE(f->Status(), QStringLiteral("Upload error!"));
}

void TestConvert::failedLinkAtWriteBackKeepsTheCopy() {
  f->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000, true));
  // The report dialog is shown between the download and the erase: the port goes away.
  f->Modal.DialogScripts.enqueue([this](QDialog*) {
    f->Phone.RemovePort(1);
    return int(mrOk);
  });
  f->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(WordAt(f->FileBytes(QStringLiteral("temp.prg")), 108), 0x37037Du);
  QCOMPARE(f->Phone.Calls("WriteNVMFile"), 0);
  // The link's own messages (the clear's and the write's), then where the program went.
  QCOMPARE(f->Modal.ShownTexts().size(), 3);
  QCOMPARE(f->LastBox().Text, ConvertErrorText);
  QCOMPARE(f->Status(), QStringLiteral("Upload error!"));
}

void TestConvert::badFirmwareTextEndsBeforeAnythingIsErased() {
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  f->Phone.Put(18, 9, program);
  ExpertsForm->FirmwareField()->setEditText(QStringLiteral("0x37zz00 - J7/70"));
  f->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(f->LastBox().Kind, TShownBox::Error);
  QCOMPARE(f->LastBox().Text, QStringLiteral("'0x37zz00' is not a valid integer value."));
  QCOMPARE(f->Phone.Get(18, 9), program);
  QCOMPARE(f->Phone.Calls("ClearNVMFile"), 0);
  QVERIFY(!TempPrgExists());
  QCOMPARE(f->Status(), QStringLiteral("Converting data..."));
}

void TestConvert::reportIsShownAndKeptWhenTheNextIsEmpty() {
  QStringList shown;
  f->Modal.DialogScripts.enqueue([&shown](QDialog*) {
    shown = BadAddrForm->ReportLines();
    return int(mrOk);
  });
  f->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000, true));
  f->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(f->Modal.OpenedDialogs, QStringList{QStringLiteral("BadAddrForm")});
  QCOMPARE(shown, QStringList{QStringLiteral("offset: 300; UFIF Address:3581504")});

  // A clean program: no dialog, and the last report stays in place.
  f->Modal.Clear();
  f->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000));
  f->Run(&TForm1::ConvertActionExecute);
  QVERIFY(f->Modal.OpenedDialogs.isEmpty());
  QCOMPARE(BadAddrForm->ReportLines(), shown);
}

QTEST_MAIN(TestConvert)
#include "test_convert.moc"
