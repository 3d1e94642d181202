// The phone-link calls as the phone log sees them at TGBPLibrary: the texts of a call and
// of its result, collection from another thread, and nothing collected when stopped.

#include <QtTest>
#include <thread>

#include "link/gbp.h"
#include "link/gbplibrary.h"
#include "link/linkcalls.h"
#include "tests/support/virtualphone.h"

Q_DECLARE_METATYPE(TGBPEntry)

class TestLinkCalls : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void texts_data();
  void texts();
  void collectsCallsFromAnotherThread();
  void collectsNothingWhenStopped();
  void keepsTheLastCallsAndListsEachOnce();
};

void TestLinkCalls::texts_data() {
  QTest::addColumn<TGBPEntry>("entry");
  QTest::addColumn<int>("result");
  QTest::addColumn<QString>("call");
  QTest::addColumn<QString>("meaning");
  QTest::newRow("link open") << TGBPEntry::InitGBPMode << 0 << "InitGBPMode(2)"
                             << "link open";
  QTest::newRow("no AT response") << TGBPEntry::InitGBPMode << -3 << "InitGBPMode(2)"
                                  << "GBP Error: No AT response!";
  QTest::newRow("closed") << TGBPEntry::EndGBPMode << 0 << "EndGBPMode()"
                          << "link closed";
  QTest::newRow("no section") << TGBPEntry::GetNVMFileSize << -153 << "GetNVMFileSize(18,9)"
                              << "holds nothing";
  QTest::newRow("-5") << TGBPEntry::GetNVMFileSize << -5 << "GetNVMFileSize(18,9)"
                      << "holds nothing, or the phone's I/O error";
  QTest::newRow("read") << TGBPEntry::ReadNVMFile << 100 << "ReadNVMFile(18,9,128)"
                        << "100 bytes read";
  QTest::newRow("refused write") << TGBPEntry::WriteNVMFile << -6 << "WriteNVMFile(18,9,128)"
                                 << "GBP Error: No Memory!";
}

void TestLinkCalls::texts() {
  QFETCH(TGBPEntry, entry);
  QFETCH(int, result);
  QFETCH(QString, call);
  QFETCH(QString, meaning);
  TLinkCall record{entry};
  record.Port = 2;
  record.Section = 18;
  record.SubSection = 9;
  record.Length = 128;
  record.Result = result;
  record.DurationNs = 1500000;
  QCOMPARE(LinkCallText(record), call);
  QCOMPARE(LinkResultMeaning(record), meaning);
  const QString line = LinkLogLine(record);
  QVERIFY2(
      line.contains(call) && line.endsWith(meaning) && line.contains(QLatin1String("1.500 ms")),
      qPrintable(line));
}

void TestLinkCalls::collectsCallsFromAnotherThread() {
  TVirtualPhone phone;
  phone.Put(18, 9, QByteArray(300, '\1'));
  const auto library = MakeGBPLibrary(LibraryChoice(TVirtualPhone::LibraryPath()));
  TLinkCallCollector collector;
  collector.Start();
  std::thread link([&library] {
    QByteArray buffer(128, '\0');
    library->Open(1);
    library->GetSize(18, 9);
    library->Read(18 + 256, 9, buffer.data(), quint32(buffer.size()));
    library->Write(18, 10, buffer.constData(), 50);
    library->Close();
  });
  link.join();
  const QList<TLinkCall> calls = collector.Calls();
  QStringList seen;
  for (const TLinkCall& call : calls)
    seen
        << QStringLiteral("%1 = %2, %3 B").arg(LinkCallText(call)).arg(call.Result).arg(call.Bytes);
  QCOMPARE(seen, (QStringList{"InitGBPMode(1) = 0, 0 B", "GetNVMFileSize(18,9) = 300, 0 B",
                              "ReadNVMFile(18,9,128) = 128, 128 B",
                              "WriteNVMFile(18,10,50) = 0, 50 B", "EndGBPMode() = 0, 0 B"}));
  for (const TLinkCall& call : calls)
    QVERIFY(call.StartedMs > 0 && call.DurationNs >= 0);
}

void TestLinkCalls::collectsNothingWhenStopped() {
  TVirtualPhone phone;
  const auto library = MakeGBPLibrary(LibraryChoice(TVirtualPhone::LibraryPath()));
  TLinkCallCollector collector;
  collector.Start();
  collector.Stop();
  QVERIFY(!LinkObserved());
  library->Open(1);
  library->Close();
  QVERIFY(collector.Calls().isEmpty());
  QCOMPARE(phone.Calls(QStringLiteral("InitGBPMode")), 1);
}

void TestLinkCalls::keepsTheLastCallsAndListsEachOnce() {
  TLinkCallCollector collector(3);
  const auto call = [&collector](int section) {
    TLinkCall made{};
    made.Section = section;
    collector.LinkCalled(made);
  };
  const auto sections = [](const QList<TLinkCall>& calls) {
    QList<int> numbers;
    for (const TLinkCall& call : calls)
      numbers << call.Section;
    return numbers;
  };
  for (int section = 1; section <= 5; ++section)
    call(section);
  QCOMPARE(sections(collector.Calls()), (QList<int>{3, 4, 5}));
  quint64 mark = 0;
  QCOMPARE(sections(collector.Since(mark)), (QList<int>{3, 4, 5}));
  call(6);
  QCOMPARE(sections(collector.Since(mark)), QList<int>{6});
  QCOMPARE(sections(collector.Since(mark)), QList<int>{});
  collector.Clear();
  QCOMPARE(sections(collector.Calls()), QList<int>{});
  call(7);
  QCOMPARE(sections(collector.Calls()), QList<int>{7});
  QCOMPARE(sections(collector.Since(mark)), QList<int>{7});
}

QTEST_GUILESS_MAIN(TestLinkCalls)
#include "test_linkcalls.moc"
