// Converting a stored UFIF 2.0 program in place, and the conversion's report dialog.

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include "catalogue/gridtext.h"
#include "common/bytes.h"
#include "settings/ui/expertsform.h"
#include "tests/support/windowtest.h"
#include "ufif/lzocontainer.h"
#include "ufif/ui/badaddrform.h"
#include "ufif/ui/okbottomdlg.h"

namespace {

const QString UploadedText = QStringLiteral("Section uploaded sucsessfully!");
const QString ConvertErrorText = QStringLiteral(
    "Section uploaded with error or out of memory!\n"
    "Try to upload again or free some NVM memory.\n"
    "Converted program stored at temp.prg file!!!");

}  // namespace

class TestConvert : public TWindowTest {
  Q_OBJECT
 private:
  bool TempPrgExists() const {
    return QFileInfo::exists(fixture_->FilePath(QStringLiteral("temp.prg")));
  }

 private Q_SLOTS:

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
  fixture_->Phone.Put(section, subsection, UFIFProgram(0x20000000, 3000));
  fixture_->Select(row);
  fixture_->Run(&TForm1::ConvertActionExecute);
  const QByteArray held = fixture_->Phone.Get(section, subsection);
  QCOMPARE(held.size(), 3000);
  QCOMPARE(ByteAt(held, 2), quint8(0x01));
  QCOMPARE(ByteAt(held, 3), quint8(0x20));
  QCOMPARE(WordAt(held, 108), 0x37037Du);
  QCOMPARE(fixture_->FileBytes(QStringLiteral("temp.prg")), held);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{UploadedText});
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploaded!"));
  QCOMPARE(FormatLabel(Slots()[row].FormatTag), QStringLiteral("UFIF 2.1"));
  QCOMPARE(fixture_->Phone.Calls("ClearNVMFile"), 1);
}

void TestConvert::containerGoesBackUnchanged() {
  const QByteArray container = BuildLZOContainer(UFIFProgram(0x20000000, 3000), 0xE852);
  QVERIFY(!container.isEmpty());
  fixture_->Phone.Put(18, 9, container);
  fixture_->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(fixture_->Phone.Get(18, 9), container);
  QCOMPARE(fixture_->FileBytes(QStringLiteral("temp.prg")), container);
  QCOMPARE(fixture_->Phone.Calls("ClearNVMFile"), 1);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{UploadedText});
}

void TestConvert::sectionTooBigIsRefusedUntouched() {
  const QByteArray program = UFIFProgram(0x20000000, 30000);
  fixture_->Phone.Put(18, 9, program);
  fixture_->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(fixture_->Phone.Get(18, 9), program);
  QCOMPARE(fixture_->Phone.Calls("ClearNVMFile"), 0);
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
  QVERIFY(!TempPrgExists());
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("ERROR"));
  QVERIFY(fixture_->LastBox().Text.contains(QStringLiteral("18-9")));
  QVERIFY(fixture_->LastBox().Text.contains(QStringLiteral("30000")));
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

void TestConvert::readFailureChangesNothing() {
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  fixture_->Phone.Put(18, 9, program);
  fixture_->Phone.SetFaults(QStringLiteral("read 18-9=-5"));
  fixture_->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{QStringLiteral("Error reading section 18-9")});
  QCOMPARE(fixture_->Phone.Get(18, 9), program);
  QCOMPARE(fixture_->Phone.Calls("ClearNVMFile"), 0);
  QVERIFY(!TempPrgExists());
  QCOMPARE(fixture_->Status(), QStringLiteral("Downloading data..."));
}

// The row still shows the program, but the section was emptied since the last refresh.
void TestConvert::sectionEmptiedSinceTheRefreshIsLeftAlone() {
  fixture_->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000));
  fixture_->Run(&TForm1::RefreshActionExecute);
  fixture_->Phone.Remove(18, 9);
  fixture_->Modal.Clear();
  fixture_->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(fixture_->Modal.ShownTexts(),
           QStringList{QStringLiteral("Section 18-9 is empty: there is nothing to convert.")});
  QCOMPARE(fixture_->Phone.Calls("ClearNVMFile") + fixture_->Phone.Calls("WriteNVMFile"), 0);
  QVERIFY(!TempPrgExists());
}

void TestConvert::uncreatableCopyEndsBeforeAnythingIsErased() {
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  fixture_->Phone.Put(18, 9, program);
  QVERIFY(QDir().mkpath(fixture_->FilePath(QStringLiteral("temp.prg/occupied"))));
  fixture_->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Error);
  QCOMPARE(fixture_->LastBox().Text, QStringLiteral("Cannot create file temp.prg."));
  QCOMPARE(fixture_->Phone.Get(18, 9), program);
  QCOMPARE(fixture_->Phone.Calls("ClearNVMFile") + fixture_->Phone.Calls("WriteNVMFile"), 0);
  QCOMPARE(fixture_->Status(), QStringLiteral("Convert done!"));
}

void TestConvert::truncatedWriteBackKeepsTheCopy() {
  fixture_->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000));
  fixture_->Phone.SetFaults(QStringLiteral("write 18-9=truncate 100"));
  fixture_->Run(&TForm1::ConvertActionExecute);
  const QByteArray copy = fixture_->FileBytes(QStringLiteral("temp.prg"));
  QCOMPARE(copy.size(), 3000);
  QCOMPARE(WordAt(copy, 0), 0x20010000u);
  QCOMPARE(fixture_->Phone.Get(18, 9), copy.left(100));
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{ConvertErrorText});
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("ERROR"));
  QCOMPARE(fixture_->Status(), QStringLiteral("Upload error!"));
}

void TestConvert::failedLinkAtWriteBackKeepsTheCopy() {
  fixture_->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000, true));
  // The report dialog is shown between the download and the erase: the port goes away.
  fixture_->Modal.DialogScripts.enqueue([this](QDialog*) {
    fixture_->Phone.RemovePort(1);
    return int(mrOk);
  });
  fixture_->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(WordAt(fixture_->FileBytes(QStringLiteral("temp.prg")), 108), 0x37037Du);
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
  // The link's own messages (the clear's and the write's), then where the program went.
  QCOMPARE(fixture_->Modal.ShownTexts().size(), 3);
  QCOMPARE(fixture_->LastBox().Text, ConvertErrorText);
  QCOMPARE(fixture_->Status(), QStringLiteral("Upload error!"));
}

void TestConvert::badFirmwareTextEndsBeforeAnythingIsErased() {
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  fixture_->Phone.Put(18, 9, program);
  Experts().FirmwareField()->setEditText(QStringLiteral("0x37zz00 - J7/70"));
  fixture_->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Error);
  QCOMPARE(fixture_->LastBox().Text, QStringLiteral("'0x37zz00' is not a valid integer value."));
  QCOMPARE(fixture_->Phone.Get(18, 9), program);
  QCOMPARE(fixture_->Phone.Calls("ClearNVMFile"), 0);
  QVERIFY(!TempPrgExists());
  QCOMPARE(fixture_->Status(), QStringLiteral("Converting data..."));
}

void TestConvert::reportIsShownAndKeptWhenTheNextIsEmpty() {
  QStringList shown;
  fixture_->Modal.DialogScripts.enqueue([this, &shown](QDialog*) {
    shown = BadAddr().ReportLines();
    return int(mrOk);
  });
  fixture_->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000, true));
  fixture_->Run(&TForm1::ConvertActionExecute);
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{QStringLiteral("BadAddrForm")});
  QCOMPARE(shown, QStringList{QStringLiteral("offset: 300; UFIF Address:3581504")});

  // A clean program: no dialog, and the last report stays in place.
  fixture_->Modal.Clear();
  fixture_->Phone.Put(18, 9, UFIFProgram(0x20000000, 3000));
  fixture_->Run(&TForm1::ConvertActionExecute);
  QVERIFY(fixture_->Modal.OpenedDialogs.isEmpty());
  QCOMPARE(BadAddr().ReportLines(), shown);
}

QTEST_MAIN(TestConvert)
#include "test_convert.moc"
