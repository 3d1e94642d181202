// A library's kind by its header: the real files the build makes, and headers cut short,
// damaged or patched into other kinds.

#include <QtTest>

#include "link/libraryfile.h"

namespace {

QByteArray Head(const char* path) {
  QFile file(QString::fromUtf8(path));
  if (!file.open(QIODevice::ReadOnly))
    qFatal("cannot read %s", path);
  return file.read(4096);
}

int PeHeader(const QByteArray& dll) {
  return qFromLittleEndian<quint32>(dll.constData() + 0x3c);
}

QByteArray Patched(QByteArray bytes, int offset, quint16 value) {
  qToLittleEndian(value, bytes.data() + offset);
  return bytes;
}

}  // namespace

Q_DECLARE_METATYPE(TLibraryKind)

class TestLibraryFile : public QObject {
  Q_OBJECT
 private slots:
  void kinds_data();
  void kinds();
  void filesThatCannotBeRead();
};

void TestLibraryFile::kinds_data() {
  QTest::addColumn<QByteArray>("head");
  QTest::addColumn<TLibraryKind>("kind");
  QTest::addColumn<int>("bits");
  QTest::addColumn<int>("machine");
  QTest::addColumn<bool>("usable");

  const QByteArray dll = Head(GBP_DLL32);
  const QByteArray dll64 = Head(GBP_DLL64);
  const QByteArray so = Head(GBP_VIRTUAL_PHONE);
  const int coff = PeHeader(dll) + 4;
  const int coff64 = PeHeader(dll64) + 4;
  using K = TLibraryKind;
  QTest::newRow("32-bit gbp.dll") << dll << K::WindowsDll << 32 << 0x14c << true;
  QTest::newRow("64-bit gbp.dll") << dll64 << K::WindowsDll << 64 << 0x8664 << true;
  QTest::newRow("32-bit Windows link host")
      << Head(WINDOWS_HOST32) << K::WindowsProgram << 32 << 0x14c << false;
  QTest::newRow("64-bit Windows link host")
      << Head(WINDOWS_HOST64) << K::WindowsProgram << 64 << 0x8664 << false;
  QTest::newRow("libgbp.so") << so << K::ElfShared << 64 << 62 << true;
  QTest::newRow("32-bit ARM DLL") << Patched(dll, coff, 0x1c4) << K::WindowsDll << 32 << 0x1c4
                                  << false;
  QTest::newRow("ARM64 DLL") << Patched(dll64, coff64, 0xaa64) << K::WindowsDll << 64 << 0xaa64
                             << false;
  // A machine that does not go with its header's width is refused as well.
  QTest::newRow("x86-64 machine, 32-bit header")
      << Patched(dll, coff, 0x8664) << K::WindowsDll << 32 << 0x8664 << false;
  QTest::newRow("ELF program") << Patched(so, 16, 2) << K::ElfOther << 64 << 62 << false;
  QByteArray bigEndian = so.left(20);
  bigEndian[4] = 1;
  bigEndian[5] = 2;
  bigEndian[16] = 0;
  bigEndian[17] = 3;
  bigEndian[18] = 0;
  bigEndian[19] = 20;
  QTest::newRow("big-endian ELF") << bigEndian << K::ElfShared << 32 << 20 << true;

  // Nothing held is read past: every cut of a header is "not a library".
  for (const int cut : {0, 2, 0x3c + 3, PeHeader(dll) + 3, coff + 19, coff + 21})
    QTest::addRow("DLL cut at %d", cut) << dll.left(cut) << K::NotALibrary << 0 << 0 << false;
  for (const int cut : {4, 5, 17, 19})
    QTest::addRow("ELF cut at %d", cut) << so.left(cut) << K::NotALibrary << 0 << 0 << false;
  QByteArray farHeader = dll;
  qToLittleEndian<quint32>(0xfffffff0u, farHeader.data() + 0x3c);
  QTest::newRow("PE offset past the end") << farHeader << K::NotALibrary << 0 << 0 << false;
  QTest::newRow("no PE signature")
      << Patched(dll, PeHeader(dll), 0x4e4e) << K::NotALibrary << 0 << 0 << false;
  QTest::newRow("unknown optional header")
      << Patched(dll, coff + 20, 0x107) << K::NotALibrary << 0 << 0 << false;
  QByteArray badClass = so;
  badClass[4] = 3;
  QTest::newRow("ELF class 3") << badClass << K::NotALibrary << 0 << 0 << false;
  QTest::newRow("text") << QByteArray("MZ is a text file\n") << K::NotALibrary << 0 << 0 << false;
}

void TestLibraryFile::kinds() {
  QFETCH(QByteArray, head);
  QFETCH(TLibraryKind, kind);
  QFETCH(int, bits);
  QFETCH(int, machine);
  QFETCH(bool, usable);
  const TLibraryFile file = LibraryFileOf(head);
  QCOMPARE(file.Kind, kind);
  QCOMPARE(file.Bits, bits);
  QCOMPARE(int(file.Machine), machine);
  QCOMPARE(IsUsableLibrary(file), usable);
}

void TestLibraryFile::filesThatCannotBeRead() {
  const QTemporaryDir dir;
  for (const QString& path :
       {dir.filePath(QStringLiteral("missing.dll")), dir.path(), QStringLiteral("/dev/zero")})
    QCOMPARE(InspectLibraryFile(path).Kind, TLibraryKind::NotALibrary);
  QCOMPARE(WindowsHostBits(InspectLibraryFile(QStringLiteral(GBP_DLL32))), 32);
  QCOMPARE(WindowsHostBits(InspectLibraryFile(QStringLiteral(GBP_DLL64))), 64);
  QCOMPARE(LibraryFileText(InspectLibraryFile(QStringLiteral(GBP_DLL64))),
           QStringLiteral("64-bit Windows library (x86-64)"));
}

QTEST_GUILESS_MAIN(TestLibraryFile)
#include "test_libraryfile.moc"
