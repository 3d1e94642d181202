// The link host: the manager's checks of every answer against a host that breaks the
// protocol, and the real host running the virtual phone with its hangs and crashes.

#include <QtTest>
#include <atomic>
#include <thread>

#include "link/gbplibrary.h"
#include "link/hostprocess.h"
#include "link/linkcalls.h"
#include "tests/support/virtualphone.h"

namespace {

TLinkChoice Isolated(double factor = 1.0, const QString& host = QString()) {
  TLinkChoice choice;
  choice.Isolate = true;
  choice.TimeoutFactor = factor;
  choice.HostProgram = host;
  return choice;
}

const char* kWhenStarting = "start";

// A failure told once, by the call that failed; the link stays lost, and the next call
// fails at once without another.
void CheckLost(TGBPLibrary& library, const TLinkStatus& failed, const QString& expected) {
  QCOMPARE(failed.Code, GBPPortMustBeOpened);
  QVERIFY(failed.HostFailed());
  QCOMPARE(failed.Why, expected);
  QCOMPARE(library.LinkLost(), expected);
  const TLinkStatus next = library.GetSize(18, 9);
  QCOMPARE(next.Code, GBPPortMustBeOpened);
  QVERIFY(!next.HostFailed());
}

}  // namespace

class TestLinkHost : public QObject {
  Q_OBJECT
 private slots:
  void deadlines();
  void everyAnswerIsChecked_data();
  void everyAnswerIsChecked();
  void hostRefusesAPartialHeaderAndSaysWhy();
  void crashesEndTheCallAndTheNextLinkWorks_data();
  void crashesEndTheCallAndTheNextLinkWorks();
  void hangEndsWithinItsDeadline();
  void hostThatQuitCleanlyClosesWithoutAFault();
  void cancelEndsAHangingCallAtOnce();
  void unusableLibrariesNameTheFileAndTheReason();
  void callsThroughTheHostReachTheObserver();
};

void TestLinkHost::deadlines() {
  QCOMPARE(LinkDeadlineMs(0, 1.0), qint64(15000));
  QCOMPARE(LinkDeadlineMs(240, 1.0), qint64(16000));  // 240 bytes take 1 s at 2,400 baud
  QCOMPARE(LinkDeadlineMs(65536, 0.5), qint64(144033));
  QCOMPARE(DeadlineText(15533), QStringLiteral("16 s"));
  QCOMPARE(DeadlineText(155), QStringLiteral("0.15 s"));
}

void TestLinkHost::everyAnswerIsChecked_data() {
  QTest::addColumn<QString>("mode");
  QTest::addColumn<QString>("call");
  QTest::addColumn<QString>("failure");
  QTest::newRow("stray output") << "stray" << kWhenStarting
                                << "The link host wrote something else than its answers to its "
                                   "standard output during its start (\"Hello from a chatty "
                                   "library.\"); the link was closed.";
  QTest::newRow("other version") << "version" << kWhenStarting
                                 << "The link host speaks protocol version 99, not 2; the link "
                                    "was closed.";
  QTest::newRow("short hello") << "hello" << kWhenStarting
                               << "The link host sent a malformed hello; the link was closed.";
  // What the host said on its standard error comes under the failure.
  QTest::newRow("ends at its start, saying why")
      << "talk" << kWhenStarting
      << "The phone-link library stopped during its start (exit status 53).\nwine: failed to "
         "open the host: c0000135";
  QTest::newRow("claims more than its buffer")
      << "claim"
      << "read"
      << "The phone-link library claimed 99999 bytes from ReadNVMFile 18-9 into a buffer of 128; "
         "the link was closed.";
  QTest::newRow("short answer") << "short"
                                << "size"
                                << "The link host sent a short answer to GetNVMFileSize 18-9; the "
                                   "link was closed.";
  QTest::newRow("answer of another call")
      << "entry"
      << "size"
      << "The link host sent a malformed answer to GetNVMFileSize 18-9; the link was closed.";
  // Bounded by the call before anything is read or kept: 16 MiB never sent is not waited for.
  QTest::newRow("oversize answer to a size call")
      << "oversize"
      << "size"
      << "The link host answered 16777226 bytes to a call that allows 10 (GetNVMFileSize 18-9); "
         "the link was closed.";
  QTest::newRow("oversize answer to a read")
      << "overread"
      << "read"
      << "The link host answered 139 bytes to a call that allows 138 (ReadNVMFile 18-9); the "
         "link was closed.";
  QTest::newRow("garbage after the hello")
      << "garbage"
      << "size"
      << "The link host wrote something else than its answers to its standard output during "
         "GetNVMFileSize 18-9 (\"Library says hi.\"); the link was closed.";
  // 2 s from its first byte (times the factor), not the call's deadline.
  QTest::newRow("cut off, the host alive")
      << "cut"
      << "size"
      << "The link host sent a short answer to GetNVMFileSize 18-9: 6 bytes, then nothing for "
         "0.02 s; the link was closed.";
  QTest::newRow("cut off, the host gone")
      << "cutexit"
      << "size"
      << "The link host sent a short answer to GetNVMFileSize 18-9: 6 bytes, then it ended (exit "
         "status 4); the link was closed.";
  QTest::newRow("exits") << "exit"
                         << "size"
                         << "The phone-link library stopped during GetNVMFileSize 18-9 (exit "
                            "status 3).";
  QTest::newRow("never answers")
      << "silent"
      << "size"
      << "The phone-link library did not answer GetNVMFileSize 18-9 within 0.15 s; the link was "
         "closed.";
}

void TestLinkHost::everyAnswerIsChecked() {
  QFETCH(QString, mode);
  QFETCH(QString, call);
  QFETCH(QString, failure);
  qputenv("SCRIPTED_HOST", mode.toUtf8());
  TLinkCallCollector log;
  log.Start();
  const auto library = MakeGBPLibrary(Isolated(0.01, QStringLiteral(SCRIPTED_HOST_PROGRAM)));
  if (call == QLatin1String(kWhenStarting)) {
    QVERIFY(!library->Load());
    QCOMPARE(library->LoadProblem(), failure);
    QCOMPARE(library->Open(1).Code, -2);
    return;
  }
  QCOMPARE(library->Open(1).Code, 0);
  QByteArray buffer(128, '\0');
  const TLinkStatus status = call == QStringLiteral("read")
                                 ? library->Read(18, 9, buffer.data(), quint32(buffer.size()))
                                 : library->GetSize(18, 9);
  QCOMPARE(buffer, QByteArray(128, '\0'));  // nothing taken on trust
  QCOMPARE(LinkResultMeaning(log.Calls().constLast()), failure);
  QCOMPARE(status.Detail,
           mode == QLatin1String("exit") ? QStringLiteral("scripted host: gone") : QString());
  CheckLost(*library, status, failure);
}

// A manager that stopped half-way through a call: the host says so, and its line comes
// with the failure. Here only two bytes of the call reach the host.
void TestLinkHost::hostRefusesAPartialHeaderAndSaysWhy() {
  TVirtualPhone phone;
  const THostLaunch launch{QStringLiteral("/bin/sh"),
                           {QStringLiteral("-c"), QStringLiteral("head -c 2 | \"$0\" \"$@\""),
                            QStringLiteral(LINK_HOST_PROGRAM)},
                           {},
                           0};
  TLinkHostProcess host(launch, {TVirtualPhone::LibraryPath()}, 1.0);
  QVERIFY(!host.Start().HostFailed());
  linkhost::TCall call;
  call.entry = linkhost::kSize;
  const TLinkStatus failed =
      host.Call(call, nullptr, nullptr, QStringLiteral("GetNVMFileSize 0-0"));
  QVERIFY(failed.HostFailed());
  QCOMPARE(
      failed.Why,
      QStringLiteral("The phone-link library stopped during GetNVMFileSize 0-0 (exit status 2)."));
  QCOMPARE(failed.Detail,
           QStringLiteral("kiv-linkhost: the input ended inside a frame's header (2 of 4 bytes)"));
}

// A host that has ended by itself with status 0 has closed the link: closing it is no fault.
void TestLinkHost::hostThatQuitCleanlyClosesWithoutAFault() {
  qputenv("SCRIPTED_HOST", "quit");
  const auto library = MakeGBPLibrary(Isolated(1.0, QStringLiteral(SCRIPTED_HOST_PROGRAM)));
  QCOMPARE(library->Open(1).Code, 0);
  QTest::qWait(100);
  const TLinkStatus closed = library->Close();
  QCOMPARE(closed.Code, 0);
  QVERIFY(!closed.HostFailed());
}

// Cancel ends a call that hangs at once, naming the call and how long it ran.
void TestLinkHost::cancelEndsAHangingCallAtOnce() {
  TVirtualPhone phone;
  phone.SetFaults("size 18-9=hang");
  std::atomic<bool> cancel{false};
  const auto library = MakeGBPLibrary(Isolated());
  library->SetCancel(&cancel);
  QCOMPARE(library->Open(1).Code, 0);
  QElapsedTimer took;
  took.start();
  std::thread pressed([&cancel] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    cancel = true;
  });
  const TLinkStatus cancelled = library->GetSize(18, 9);
  pressed.join();
  QCOMPARE(cancelled.Code, GBPPortMustBeOpened);
  QVERIFY2(took.elapsed() < 1000, qPrintable(QString::number(took.elapsed())));
  const QString failure = cancelled.Why;
  QVERIFY2(failure.startsWith("Cancelled: the library was still in GetNVMFileSize 18-9 after 0.3"),
           qPrintable(failure));
  QVERIFY(failure.endsWith("; the link was closed."));
}

void TestLinkHost::crashesEndTheCallAndTheNextLinkWorks_data() {
  QTest::addColumn<QString>("fault");
  QTest::addColumn<QString>("failure");
  QTest::newRow("size") << "size 18-9=crash"
                        << "The phone-link library stopped during GetNVMFileSize 18-9 (signal 11).";
  QTest::newRow("read") << "read 18-9=crash"
                        << "The phone-link library stopped during ReadNVMFile 18-9 (signal 11).";
  QTest::newRow("write") << "write 18-9=crash"
                         << "The phone-link library stopped during WriteNVMFile 18-9 (signal 11).";
  QTest::newRow("clear") << "clear 18-9=crash"
                         << "The phone-link library stopped during ClearNVMFile 18-9 (signal 11).";
}

void TestLinkHost::crashesEndTheCallAndTheNextLinkWorks() {
  QFETCH(QString, fault);
  QFETCH(QString, failure);
  TVirtualPhone phone;
  phone.Put(18, 9, "old");
  phone.SetFaults(fault);
  const auto library = MakeGBPLibrary(Isolated());
  QCOMPARE(library->Open(1).Code, 0);
  const QByteArray bytes(100, 'n');
  QByteArray buffer(128, '\0');
  const TLinkStatus failed = fault.startsWith("size")    ? library->GetSize(18, 9)
                             : fault.startsWith("read")  ? library->Read(18, 9, buffer.data(), 128)
                             : fault.startsWith("write") ? library->Write(18, 9, bytes.data(), 100)
                                                         : library->Clear(18, 9);
  CheckLost(*library, failed, failure);
  QCOMPARE(phone.Get(18, 9), QByteArray("old"));
  // The next link starts a fresh host; the port the crashed one held is free again.
  QCOMPARE(library->Close().Code, 0);
  phone.SetFaults(QString());
  QCOMPARE(library->Open(1).Code, 0);
  QVERIFY(library->LinkLost().isEmpty());
  QCOMPARE(library->Write(18, 9, bytes.data(), 100).Code, 0);
  QCOMPARE(library->Read(18, 9, buffer.data(), 128).Code, 100);
  QCOMPARE(buffer.left(100), bytes);
  library->Close();
}

void TestLinkHost::hangEndsWithinItsDeadline() {
  TVirtualPhone phone;
  phone.Put(18, 9, "old");
  phone.SetFaults("read 18-9=hang");
  const auto library = MakeGBPLibrary(Isolated(0.01));
  QCOMPARE(library->Open(1).Code, 0);
  QByteArray buffer(128, '\0');
  const TLinkStatus failed = library->Read(18, 9, buffer.data(), 128);
  CheckLost(*library, failed,
            QStringLiteral("The phone-link library did not answer ReadNVMFile 18-9 "
                           "within %1; the link was closed.")
                .arg(DeadlineText(LinkDeadlineMs(128, 0.01))));
}

void TestLinkHost::unusableLibrariesNameTheFileAndTheReason() {
  const auto lacking = MakeGBPLibrary(LibraryChoice(QStringLiteral(GBP_WITHOUT_READ), true));
  QVERIFY(!lacking->Load());
  QCOMPARE(lacking->LoadProblem(), QStringLiteral(GBP_WITHOUT_READ ": lacks ReadNVMFile"));
  QVERIFY(!lacking->Has(TGBPEntry::ReadNVMFile));
  QVERIFY(lacking->Has(TGBPEntry::WriteNVMFile));
  for (const bool isolate : {false, true}) {
    const auto missing =
        MakeGBPLibrary(LibraryChoice(QStringLiteral("/nonexistent/libgbp.so"), isolate));
    QVERIFY(!missing->Load());
    QCOMPARE(missing->LoadProblem(), QStringLiteral("/nonexistent/libgbp.so: no such file"));
  }
  // A missing host is told by name before anything is started.
  const auto noHost = MakeGBPLibrary(Isolated(1.0, QStringLiteral("/nonexistent/kiv-linkhost")));
  QVERIFY(!noHost->Load());
  QCOMPARE(noHost->LoadProblem(), QStringLiteral("The link host kiv-linkhost is missing: it was "
                                                 "looked for in /nonexistent."));
}

void TestLinkHost::callsThroughTheHostReachTheObserver() {
  TVirtualPhone phone;
  phone.Put(18, 9, QByteArray(300, 'k'));
  TLinkCallCollector collector;
  collector.Start();
  const auto library = MakeGBPLibrary(Isolated());
  QCOMPARE(library->HowItRuns(), QStringLiteral("in the link host"));
  QCOMPARE(library->Open(1).Code, 0);
  QCOMPARE(library->GetSize(274, 9).Code, 300);  // the low byte, as in process
  library->Close();
  QStringList texts;
  for (const TLinkCall& call : collector.Calls())
    texts << LinkCallText(call) + QStringLiteral(" = ") + QString::number(call.Result);
  QCOMPARE(texts,
           (QStringList{"InitGBPMode(1) = 0", "GetNVMFileSize(18,9) = 300", "EndGBPMode() = 0"}));
  QCOMPARE(library->FileName(), TVirtualPhone::LibraryPath());
}

QTEST_GUILESS_MAIN(TestLinkHost)
#include "test_linkhost.moc"
