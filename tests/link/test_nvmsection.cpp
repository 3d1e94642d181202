// TNVMSection over the virtual phone (libgbp.so beside this program) and over libraries
// that lack exports: the results, the messages the user sees and the calls the phone gets.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QtTest>
#include <memory>

#include "link/gbplibrary.h"
#include "link/nvmsection.h"
#include "tests/support/scriptedmodal.h"
#include "tests/support/virtualphone.h"

namespace {

const QString kUnable = QStringLiteral("Unable to open GPB.DLL");

std::unique_ptr<TNVMSection> NewSection(const QString& library = QString()) {
  return std::make_unique<TNVMSection>(nullptr, LibraryChoice(library));
}

QList<TShownBox> ErrorBox(const QString& text) {
  return {{TShownBox::Message, QStringLiteral("ERROR"), text}};
}

}  // namespace

bool operator==(const TShownBox& left, const TShownBox& right) {
  return left.Kind == right.Kind && left.Caption == right.Caption && left.Text == right.Text;
}

char* toString(const TShownBox& box) {
  return QTest::toString(box.Caption + QStringLiteral(": ") + box.Text);
}

class TestNVMSection : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void findsPhoneBesideProgram();
  void initFailureShowsMessage_data();
  void initFailureShowsMessage();
  void portHeldElsewhereSaysWhy();
  void secondInitGBPDoesNotCallLibrary();
  void addressesLowByte();
  void comPortTakesEffectAtNextOpening();
  void readOpensLinkImplicitly();
  void operationsFailWhenLinkCannotOpen();
  void endGBPWithoutLinkStillCallsLibrary();
  void destructorClosesLink();
  void fileResultsReachCallerWithoutMessage();
  void readPassesOnWhatTheLibraryClaims();
  void missingLibrary();
  void libraryWithoutRead();
  void libraryWithoutFileOperations();
  void errorMessages_data();
  void errorMessages();
  void loaderKeepsLinkOpenedTwice();
  void loaderWithoutLibrary();
};

void TestNVMSection::findsPhoneBesideProgram() {
  TVirtualPhone phone;
  TScriptedModal modal;
  auto nvm = NewSection();
  QVERIFY(nvm->Usable());
  QVERIFY(!nvm->LinkOpen());
  QVERIFY(modal.Shown.isEmpty());
  QCOMPARE(nvm->Section(), 0);
  QCOMPARE(nvm->SubSection(), 0);
  QCOMPARE(nvm->COMPort(), TNVMSection::cpnCOM1);
  QVERIFY(phone.Journal().isEmpty());
}

void TestNVMSection::initFailureShowsMessage_data() {
  QTest::addColumn<QString>("faults");
  QTest::addColumn<bool>("removePort");
  QTest::addColumn<QString>("message");
  const auto row = [](const char* name, const char* faults, bool removePort, const char* text) {
    QTest::newRow(name) << QString::fromLatin1(faults) << removePort << QString::fromLatin1(text);
  };
  row("-1", "init=-1", false, "GBP Error: Port already opened!");
  row("-2 by fault", "init=-2", false, "GBP Error: Can't open port!");
  row("-2 no phone on port", "", true, "GBP Error: Can't open port!");
  row("-3", "init=-3", false, "GBP Error: No AT response!");
  row("-4", "init=-4", false, "GBP Error: Port must be opened!");
  row("-5", "init=-5", false, "GBP Error: COMM Error!");
  row("-6", "init=-6", false, "GBP Error: No Memory!");
  row("-7", "init=-7", false, "GBP Error: Invalid arguments!");
  row("positive unknown", "init=3", false, "GBP Error: Unknown error #3!");
  row("negative unknown", "init=-8", false, "GBP Error: Unknown error #-8!");
}

void TestNVMSection::initFailureShowsMessage() {
  QFETCH(QString, faults);
  QFETCH(bool, removePort);
  QFETCH(QString, message);
  TVirtualPhone phone;
  phone.SetFaults(faults);
  if (removePort)
    phone.RemovePort(1);
  TScriptedModal modal;
  auto nvm = NewSection();

  QVERIFY(!nvm->InitGBP());
  QCOMPARE(modal.Shown, ErrorBox(message));
  QVERIFY(!nvm->LinkOpen());
  // The link stays closed, so the next attempt asks the phone again and tells again.
  QVERIFY(!nvm->InitGBP());
  QCOMPARE(modal.Shown.size(), 2);
  QCOMPARE(phone.Calls(QStringLiteral("InitGBPMode")), 2);
}

// The box keeps its text; why the port did not open stands under it.
void TestNVMSection::portHeldElsewhereSaysWhy() {
  TVirtualPhone phone;
  const int folder = ::open(QFile::encodeName(phone.PortDir()).constData(), O_RDONLY);
  QVERIFY(folder >= 0);
  QCOMPARE(::flock(folder, LOCK_EX | LOCK_NB), 0);
  TScriptedModal modal;
  auto nvm = NewSection();
  QVERIFY(!nvm->InitGBP());
  ::close(folder);
  QCOMPARE(modal.Shown, ErrorBox(QStringLiteral("GBP Error: Can't open port!")));
  QVERIFY2(modal.Shown[0].Detail.contains(QStringLiteral("in use by another program")),
           qPrintable(modal.Shown[0].Detail));
  // Let go, the port opens and nothing more is said.
  QVERIFY(nvm->InitGBP());
  QCOMPARE(modal.Shown.size(), 1);
}

void TestNVMSection::secondInitGBPDoesNotCallLibrary() {
  TVirtualPhone phone;
  TScriptedModal modal;
  auto nvm = NewSection();
  QVERIFY(nvm->InitGBP());
  QVERIFY(nvm->InitGBP());
  QVERIFY(nvm->LinkOpen());
  QCOMPARE(phone.Journal(), QStringList{QStringLiteral("InitGBPMode(1) = 0")});
  QVERIFY(modal.Shown.isEmpty());
}

void TestNVMSection::addressesLowByte() {
  TVirtualPhone phone;
  TScriptedModal modal;
  phone.Put(18, 9, "section 18-9");
  auto nvm = NewSection();
  nvm->SetSect(274);
  nvm->SetSSect(265);
  QByteArray buffer(64, '\0');
  QCOMPARE(nvm->Read(buffer.data(), 64), 12);
  QCOMPARE(buffer.left(12), QByteArray("section 18-9"));
  QCOMPARE(nvm->GetSize(), 12);
  QVERIFY(phone.Journal().contains(QStringLiteral("ReadNVMFile(18,9,64) = 12")));
  QVERIFY(phone.Journal().contains(QStringLiteral("GetNVMFileSize(18,9) = 12")));
}

void TestNVMSection::comPortTakesEffectAtNextOpening() {
  TVirtualPhone phone;
  TScriptedModal modal;
  phone.AddPort(3);
  phone.Put(2, 10, "on COM1", 1);
  phone.Put(2, 10, "phone on COM3", 3);
  auto nvm = NewSection();
  nvm->SetSect(2);
  nvm->SetSSect(10);
  QVERIFY(nvm->InitGBP());
  // Through the property system, as a stored form would set it.
  QVERIFY(nvm->setProperty("COMPort", QVariant::fromValue(TNVMSection::cpnCOM3)));
  QCOMPARE(nvm->COMPort(), TNVMSection::cpnCOM3);
  QCOMPARE(nvm->GetSize(), 7);
  nvm->EndGBP();
  QCOMPARE(nvm->GetSize(), 13);
  QCOMPARE(phone.Journal(),
           QStringList({"InitGBPMode(1) = 0", "GetNVMFileSize(2,10) = 7", "EndGBPMode() = 0",
                        "InitGBPMode(3) = 0", "GetNVMFileSize(2,10) = 13"}));
}

void TestNVMSection::readOpensLinkImplicitly() {
  TVirtualPhone phone;
  TScriptedModal modal;
  phone.Put(0, 0, QByteArray(300, 'x'));
  auto nvm = NewSection();
  QByteArray buffer(128, '\0');
  QCOMPARE(nvm->Read(buffer.data(), 128), 128);
  QVERIFY(nvm->LinkOpen());
  QCOMPARE(nvm->Read(buffer.data(), 128), 128);
  nvm->EndGBP();
  QVERIFY(!nvm->LinkOpen());
  QCOMPARE(phone.Journal(), QStringList({"InitGBPMode(1) = 0", "ReadNVMFile(0,0,128) = 128",
                                         "ReadNVMFile(0,0,128) = 128", "EndGBPMode() = 0"}));
}

void TestNVMSection::operationsFailWhenLinkCannotOpen() {
  TVirtualPhone phone;
  phone.RemovePort(1);
  TScriptedModal modal;
  auto nvm = NewSection();
  QByteArray buffer(16, '\0');
  QCOMPARE(nvm->Read(buffer.data(), 16), -1);
  QCOMPARE(nvm->Write(buffer.constData(), 16), -1);
  QCOMPARE(nvm->GetSize(), -1);
  QCOMPARE(nvm->Clear(), 0);
  QCOMPARE(modal.ShownTexts(), QStringList(4, QStringLiteral("GBP Error: Can't open port!")));
  QCOMPARE(phone.Journal(), QStringList(4, QStringLiteral("InitGBPMode(1) = -2")));
}

void TestNVMSection::endGBPWithoutLinkStillCallsLibrary() {
  TVirtualPhone phone;
  TScriptedModal modal;
  auto nvm = NewSection();
  QCOMPARE(nvm->EndGBP(), 0);
  QVERIFY(!nvm->LinkOpen());
  QCOMPARE(phone.Journal(), QStringList{QStringLiteral("EndGBPMode() = 0")});
}

void TestNVMSection::destructorClosesLink() {
  TVirtualPhone phone;
  TScriptedModal modal;
  auto nvm = NewSection();
  QVERIFY(nvm->InitGBP());
  nvm.reset();
  QCOMPARE(phone.Journal(), QStringList({"InitGBPMode(1) = 0", "EndGBPMode() = 0"}));
  // The phone was left closed: a new component opens it again.
  auto next = NewSection();
  QVERIFY(next->InitGBP());
  QVERIFY(modal.Shown.isEmpty());
}

void TestNVMSection::fileResultsReachCallerWithoutMessage() {
  TVirtualPhone phone;
  phone.SetFaults(QStringLiteral("size 18-11=-7; read 18-12=-5"));
  TScriptedModal modal;
  auto nvm = NewSection();
  QVERIFY(nvm->InitGBP());
  nvm->SetSect(18);
  nvm->SetSSect(10);
  QCOMPARE(nvm->GetSize(), -153);
  const QByteArray data(3000, 'd');
  QCOMPARE(nvm->Write(data.constData(), quint32(data.size())), 0);
  QCOMPARE(nvm->GetSize(), 3000);
  QCOMPARE(phone.Get(18, 10), data);
  QCOMPARE(nvm->Clear(), 0);
  QVERIFY(!phone.Holds(18, 10));
  nvm->SetSSect(11);
  QCOMPARE(nvm->GetSize(), -7);
  nvm->SetSSect(12);
  QByteArray buffer(8, '\0');
  QCOMPARE(nvm->Read(buffer.data(), 8), -5);
  QVERIFY(modal.Shown.isEmpty());
  QVERIFY(nvm->LinkOpen());
}

// The claim goes to the caller as made, so a lie can be reported as what the phone said;
// the buffer holds no more than its length all the same.
void TestNVMSection::readPassesOnWhatTheLibraryClaims() {
  TVirtualPhone phone;
  phone.Put(18, 9, QByteArray(300, 'a'));
  phone.SetFaults(QStringLiteral("read 18-9=claim 99999"));
  TScriptedModal modal;
  auto nvm = NewSection();
  nvm->SetSect(18);
  nvm->SetSSect(9);
  QByteArray buffer(129, '\0');
  QCOMPARE(nvm->Read(buffer.data(), 128), 99999);
  QCOMPARE(buffer, QByteArray(128, 'a') + QByteArray(1, '\0'));
}

void TestNVMSection::missingLibrary() {
  TVirtualPhone phone;
  TScriptedModal modal;
  auto nvm = NewSection(QStringLiteral("/nonexistent/folder/libgbp.so"));
  QVERIFY(!nvm->Usable());
  QCOMPARE(modal.Shown, ErrorBox(kUnable));
  // Under the text, once: the file as it was named, and that it is not there.
  QCOMPARE(modal.Shown[0].Detail, QStringLiteral("/nonexistent/folder/libgbp.so: no such file"));
  modal.Clear();

  QVERIFY(!nvm->InitGBP());
  QByteArray buffer(16, '\0');
  QCOMPARE(nvm->Read(buffer.data(), 16), -1);
  QCOMPARE(nvm->Write(buffer.constData(), 16), -1);
  QCOMPARE(nvm->GetSize(), -1);
  QCOMPARE(nvm->Clear(), 0);
  QCOMPARE(nvm->EndGBP(), 0);
  QVERIFY(!nvm->LinkOpen());
  // Every command that needed the phone tells the user why nothing happens.
  QCOMPARE(modal.ShownTexts(), QStringList(5, kUnable));
  QVERIFY(std::all_of(modal.Shown.begin(), modal.Shown.end(),
                      [](const TShownBox& box) { return box.Detail.isEmpty(); }));
}

void TestNVMSection::libraryWithoutRead() {
  TVirtualPhone phone;
  TScriptedModal modal;
  auto nvm = NewSection(QStringLiteral(GBP_WITHOUT_READ));
  QVERIFY(!nvm->Usable());
  QCOMPARE(modal.Shown, ErrorBox(kUnable));
  QVERIFY(!nvm->InitGBP());
  QCOMPARE(nvm->GetSize(), -1);
  QCOMPARE(modal.ShownTexts(), QStringList(3, kUnable));
  nvm.reset();
  QVERIFY(phone.Journal().isEmpty());
}

void TestNVMSection::libraryWithoutFileOperations() {
  TVirtualPhone phone;
  TScriptedModal modal;
  auto nvm = NewSection(QStringLiteral(GBP_WITHOUT_FILE_OPERATIONS));
  QVERIFY(nvm->Usable());
  QVERIFY(modal.Shown.isEmpty());
  nvm->SetSect(18);
  nvm->SetSSect(9);
  const QByteArray data(10, 'w');
  QCOMPARE(nvm->Write(data.constData(), 10), -1);
  QCOMPARE(nvm->GetSize(), -1);
  QCOMPARE(nvm->Clear(), 0);
  QVERIFY(!nvm->LinkOpen());
  QVERIFY(phone.Journal().isEmpty());
  // The entry points that exist still work.
  QByteArray buffer(4, '\0');
  QCOMPARE(nvm->Read(buffer.data(), 4), 0);
  QCOMPARE(phone.Journal(), QStringList({"InitGBPMode(1) = 0", "ReadNVMFile(18,9,4) = 0"}));
  QVERIFY(modal.Shown.isEmpty());
}

void TestNVMSection::errorMessages_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<QString>("message");
  QTest::newRow("-1") << -1 << "GBP Error: Port already opened!";
  QTest::newRow("-7") << -7 << "GBP Error: Invalid arguments!";
  QTest::newRow("0") << 0 << "GBP Error: Unknown error #0!";
  QTest::newRow("-153") << -153 << "GBP Error: Unknown error #-153!";
  QTest::newRow("int min") << int(-2147483647 - 1) << "GBP Error: Unknown error #-2147483648!";
}

void TestNVMSection::errorMessages() {
  QFETCH(int, code);
  QFETCH(QString, message);
  QCOMPARE(GBPErrorMessage(code), message);
}

void TestNVMSection::loaderKeepsLinkOpenedTwice() {
  TVirtualPhone phone;
  const auto library = MakeGBPLibrary(LibraryChoice(TVirtualPhone::LibraryPath()));
  QVERIFY(library->Usable());
  QCOMPARE(library->Open(1).Code, 0);
  QCOMPARE(library->Open(1).Code, -1);
  QVERIFY(library->IsOpen());
  QCOMPARE(library->GetSize(18, 9).Code, -153);
  QCOMPARE(library->Close().Code, 0);
  QVERIFY(!library->IsOpen());
}

void TestNVMSection::loaderWithoutLibrary() {
  const auto library =
      MakeGBPLibrary(LibraryChoice(QStringLiteral("/nonexistent/folder/libgbp.so")));
  QVERIFY(!library->Usable());
  QCOMPARE(library->Open(1).Code, -2);
  QVERIFY(!library->IsOpen());
  char buffer[4];
  QCOMPARE(library->Read(18, 9, buffer, 4).Code, -1);
  QCOMPARE(library->Write(18, 9, buffer, 4).Code, -1);
  QCOMPARE(library->Clear(18, 9).Code, -1);
  QCOMPARE(library->GetSize(18, 9).Code, -1);
  QCOMPARE(library->Close().Code, 0);
}

QTEST_MAIN(TestNVMSection)
#include "test_nvmsection.moc"
