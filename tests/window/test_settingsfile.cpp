// The settings file: where it is kept, the integers it takes, its defaults, hexadecimal and
// out-of-range values, all ten keys written in decimal, a write that cannot be done, and a
// file that cannot be read (unreadable, malformed, a directory, a named pipe) in its place.

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "common/errors.h"
#include "link/linkchoice.h"
#include "settings/settingsfile.h"

class TestSettingsFile : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void settingsPathReplacesTheExtension_data();
  void settingsPathReplacesTheExtension();
  void unwritableFolderKeepsSettingsInTheConfigFolder();
  void installedTreeNeverKeepsSettingsBeside();
  void unreadableSettingsAreRefusedByName_data();
  void unreadableSettingsAreRefusedByName();
  void settingsLocation_data();
  void settingsLocation();
  void settingsIntegers_data();
  void settingsIntegers();
  void missingFileGivesDefaults();
  void readsHexadecimalAndBoundsValues_data();
  void readsHexadecimalAndBoundsValues();
  void writesAllTenKeysInDecimal();
  void unwritableFileRaisesTheIniError();

 private:
  QTemporaryDir dir_;
};

namespace {

QList<int> Values(const TManagerSettings& s) {
  return {s.Top,
          s.Left,
          s.Width,
          s.Height,
          s.COMPort,
          s.Ranges.FirstBig,
          s.Ranges.BigSlots,
          s.Ranges.FirstSmall,
          s.Ranges.SmallSlots,
          s.UFIFFW};
}

void WriteIni(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}

}  // namespace

void TestSettingsFile::settingsPathReplacesTheExtension_data() {
  QTest::addColumn<QString>("executable");
  QTest::addColumn<QString>("settings");
  QTest::newRow("no extension") << "/opt/kiv/KivManager"
                                << "/opt/kiv/KivManager.INI";
  QTest::newRow("exe") << "C:/Kiv/KivManager.exe"
                       << "C:/Kiv/KivManager.INI";
  QTest::newRow("dots in the name") << "/a/b.c/Kiv.Manager.exe"
                                    << "/a/b.c/Kiv.Manager.INI";
}

void TestSettingsFile::settingsPathReplacesTheExtension() {
  QFETCH(QString, executable);
  QFETCH(QString, settings);
  QCOMPARE(SettingsPathFor(executable), settings);
}

void TestSettingsFile::unwritableFolderKeepsSettingsInTheConfigFolder() {
  // A folder under a regular file can be written by nobody, root included.
  const QString blocker = dir_.filePath(QStringLiteral("blocker-file"));
  WriteIni(blocker, "not a folder");
  QCOMPARE(SettingsFileOf(blocker + QStringLiteral("/bin/KivManager")),
           QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
               QStringLiteral("/KivManager.INI"));
  QCOMPARE(SettingsFileOf(dir_.filePath(QStringLiteral("KivManager"))),
           dir_.filePath(QStringLiteral("KivManager.INI")));
}

// The tree an installation leaves, in a folder this process may write, as root may write
// /usr/bin: its settings go to the configuration folder all the same.
void TestSettingsFile::installedTreeNeverKeepsSettingsBeside() {
  const QString prefix = dir_.filePath(QStringLiteral("usr"));
  const QString executable = prefix + QStringLiteral("/bin/KivManager");
  QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                         QStringLiteral("/KivManager.INI");
  QCOMPARE(SettingsFileOf(executable), prefix + QStringLiteral("/bin/KivManager.INI"));
  QVERIFY(QDir(prefix + QStringLiteral("/bin")).mkpath(KIV_PRIVATE_LIBDIR_FROM_BINDIR));
  QVERIFY(IsInstalledLayout(executable));
  QCOMPARE(SettingsFileOf(executable), config);
}

void TestSettingsFile::unreadableSettingsAreRefusedByName_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("reason");
  QTest::newRow("unreadable") << "unreadable"
                              << "Permission denied";
  QTest::newRow("malformed") << "malformed"
                             << "it is not in INI format";
  QTest::newRow("directory") << "directory"
                             << "Is a directory";
  // QSettings would wait for a writer of a named pipe for ever: refused at once instead.
  QTest::newRow("named pipe") << "pipe"
                              << "named pipe";
}

// A settings file that chose a library and cannot be read gives no values, a link that
// loads nothing, and is never written over.
void TestSettingsFile::unreadableSettingsAreRefusedByName() {
  QFETCH(QString, kind);
  QFETCH(QString, reason);
  const QString path = dir_.filePath(kind + QStringLiteral(".INI"));
  const QByteArray malformed = "[Link\nLibrary=/opt/phone/gbp.dll\n[Manager]\nCOM-Port=2\n";
  if (kind == QLatin1String("directory"))
    QVERIFY(QDir().mkdir(path));
  else if (kind == QLatin1String("pipe"))
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  else
    WriteIni(path, kind == QLatin1String("malformed") ? malformed
                                                      : "[Link]\nLibrary=/opt/phone/gbp.dll\n");
  if (kind == QLatin1String("unreadable")) {
    QFile(path).setPermissions(QFileDevice::WriteOwner);
    if (QFileInfo(path).isReadable())
      QSKIP("This account reads files whatever their permissions (root)");
  }

  const TSettingsRead read = ReadSettings(path);
  QVERIFY(!read.Ok());
  QVERIFY2(read.Problem.contains(path) && read.Problem.contains(reason), qPrintable(read.Problem));
  QCOMPARE(read.Link.Refusal, read.Problem);
  QVERIFY(read.Link.Library.isEmpty());
  QCOMPARE(Values(read.Manager), Values(TManagerSettings{}));
  QVERIFY(read.History.Dir.isEmpty());
  QVERIFY_THROWS_EXCEPTION(EIniFileException, WriteSettingsFile(path, TManagerSettings{}));
  QVERIFY_THROWS_EXCEPTION(EIniFileException, WriteLinkSettings(path, TLinkChoice()));
  if (kind == QLatin1String("malformed")) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), malformed);
  }
}

void TestSettingsFile::settingsLocation_data() {
  QTest::addColumn<bool>("installed");
  QTest::addColumn<bool>("writable");
  QTest::addColumn<bool>("fileThere");
  QTest::addColumn<bool>("beside");
  QTest::newRow("writable folder") << false << true << false << true;
  QTest::newRow("read-only folder") << false << false << false << false;
  QTest::newRow("read-only folder, file already there") << false << false << true << false;
  QTest::newRow("installed, run as root") << true << true << false << false;
  QTest::newRow("installed, run as root, file there") << true << true << true << false;
  QTest::newRow("installed, read-only") << true << false << false << false;
}

void TestSettingsFile::settingsLocation() {
  QFETCH(bool, installed);
  QFETCH(bool, writable);
  QFETCH(bool, fileThere);
  QFETCH(bool, beside);
  const QString besidePath = dir_.filePath(QStringLiteral("KivManager.INI"));
  QFile::remove(besidePath);
  if (fileThere)
    WriteIni(besidePath, "[Manager]\n");
  const QString config = QStringLiteral("/home/user/.config/kiv-manager/kiv-manager");
  QCOMPARE(ChooseSettingsPath(besidePath, installed, writable, config),
           beside ? besidePath : config + QStringLiteral("/KivManager.INI"));
}

void TestSettingsFile::settingsIntegers_data() {
  QTest::addColumn<QVariant>("value");
  QTest::addColumn<int>("expected");
  QTest::newRow("decimal") << QVariant(QStringLiteral("21")) << 21;
  QTest::newRow("negative") << QVariant(QStringLiteral("-4")) << -4;
  QTest::newRow("0x") << QVariant(QStringLiteral("0x1A")) << 26;
  QTest::newRow("dollar") << QVariant(QStringLiteral("$ff")) << 255;
  QTest::newRow("missing") << QVariant() << 77;
  QTest::newRow("empty") << QVariant(QString()) << 77;
  QTest::newRow("words") << QVariant(QStringLiteral("twenty")) << 77;
  QTest::newRow("trailing text") << QVariant(QStringLiteral("12px")) << 77;
  QTest::newRow("stored as a number") << QVariant(31) << 31;
  QTest::newRow("a list (value with a comma)")
      << QVariant(QStringList{QStringLiteral("1"), QStringLiteral("2")}) << 77;
}

void TestSettingsFile::settingsIntegers() {
  QFETCH(QVariant, value);
  QFETCH(int, expected);
  QCOMPARE(SettingsInteger(value, 77), expected);
}

void TestSettingsFile::missingFileGivesDefaults() {
  const TManagerSettings settings = ReadSettings(dir_.filePath(QStringLiteral("none.INI"))).Manager;
  QCOMPARE(Values(settings), Values(TManagerSettings{}));
  QCOMPARE(settings.Left, 240);
  QCOMPARE(settings.Top, 20);
  QCOMPARE(settings.Width, 330);
  QCOMPARE(settings.Height, 420);
  QCOMPARE(settings.Ranges.FirstBig, 9);
  QCOMPARE(settings.Ranges.BigSlots, 21);
  QCOMPARE(settings.Ranges.FirstSmall, 10);
  QCOMPARE(settings.Ranges.SmallSlots, 5);
}

void TestSettingsFile::readsHexadecimalAndBoundsValues_data() {
  QTest::addColumn<QByteArray>("manager");
  QTest::addColumn<int>("comPort");
  // FirstBig, BigSlots, FirstSmall, SmallSlots
  QTest::addColumn<QList<int>>("ranges");
  QTest::addColumn<int>("firmware");
  const QList<int> defaults{9, 21, 10, 5};
  QTest::newRow("as stored") << QByteArray("COM-Port=2\nBigSlots=26\nSmallSlots=12\nUFIFFW=6\n")
                             << 2 << QList<int>{9, 26, 10, 12} << 6;
  QTest::newRow("hexadecimal") << QByteArray("COM-Port=$3\nBigSlots=0x1A\nSmallSlots=$C\n") << 3
                               << QList<int>{9, 26, 10, 12} << 0;
  QTest::newRow("port and firmware out of range")
      << QByteArray("COM-Port=4\nUFIFFW=7\n") << 0 << defaults << 0;
  QTest::newRow("negative port and firmware")
      << QByteArray("COM-Port=-1\nUFIFFW=-1\n") << 0 << defaults << 0;
  QTest::newRow("negative counts")
      << QByteArray("BigSlots=-3\nSmallSlots=-1\n") << 0 << QList<int>{9, 0, 10, 0} << 0;
  QTest::newRow("too many big slots")
      << QByteArray("BigSlots=150\n") << 0 << QList<int>{9, 91, 10, 5} << 0;
  QTest::newRow("total above 99") << QByteArray("BigSlots=60\nSmallSlots=60\n") << 0
                                  << QList<int>{9, 60, 10, 39} << 0;
  QTest::newRow("unreadable values")
      << QByteArray("BigSlots=many\nSmallSlots=\n") << 0 << defaults << 0;
  // The options dialog's two-digit fields must be able to show what was loaded.
  QTest::newRow("ranges end at subsection 99")
      << QByteArray("FirstBig=95\nFirstSmall=99\n") << 0 << QList<int>{95, 5, 99, 1} << 0;
  QTest::newRow("first subsections beyond two digits")
      << QByteArray("FirstBig=-5\nFirstSmall=100\n") << 0 << defaults << 0;
  QTest::newRow("empty range elsewhere keeps its start")
      << QByteArray("FirstBig=5\nBigSlots=0\n") << 0 << QList<int>{5, 0, 10, 5} << 0;
}

void TestSettingsFile::readsHexadecimalAndBoundsValues() {
  QFETCH(QByteArray, manager);
  QFETCH(int, comPort);
  QFETCH(QList<int>, ranges);
  QFETCH(int, firmware);
  // A file of its own per row: QSettings may keep a file it read within the same instant.
  const QString path = dir_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".INI");
  WriteIni(path, "[Form]\nTop=0x10\nLeft=$20\n[Manager]\n" + manager);
  const TManagerSettings settings = ReadSettings(path).Manager;
  QCOMPARE(settings.Top, 16);
  QCOMPARE(settings.Left, 32);
  QCOMPARE(settings.COMPort, comPort);
  const TSlotRanges& read = settings.Ranges;
  QCOMPARE((QList<int>{read.FirstBig, read.BigSlots, read.FirstSmall, read.SmallSlots}), ranges);
  QCOMPARE(settings.UFIFFW, firmware);
}

void TestSettingsFile::writesAllTenKeysInDecimal() {
  const QString path = dir_.filePath(QStringLiteral("written.INI"));
  TManagerSettings settings;
  settings.Top = 31;
  settings.Left = 400;
  settings.Width = 500;
  settings.Height = 600;
  settings.COMPort = 2;
  settings.Ranges = {5, 16, 3, 7};
  settings.UFIFFW = 6;
  WriteSettingsFile(path, settings);

  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
  const QString text = QString::fromUtf8(file.readAll());
  for (const char* line :
       {"[Form]", "Top=31", "Left=400", "Width=500", "Height=600", "[Manager]", "COM-Port=2",
        "FirstBig=5", "BigSlots=16", "FirstSmall=3", "SmallSlots=7", "UFIFFW=6"})
    QVERIFY2(text.contains(QLatin1String(line)), line);
  QCOMPARE(Values(ReadSettings(path).Manager), Values(settings));
}

void TestSettingsFile::unwritableFileRaisesTheIniError() {
  // A regular file where the settings file's folder should be: nothing can be created.
  const QString blocker = dir_.filePath(QStringLiteral("blocker"));
  WriteIni(blocker, "not a folder");
  const QString path = blocker + QStringLiteral("/KivManager.INI");
  try {
    WriteSettingsFile(path, TManagerSettings{});
    QFAIL("the write was reported as done");
  } catch (const EIniFileException& error) {
    QCOMPARE(error.Message(), QStringLiteral("Unable to write to ") + path);
  }
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settingsfile.moc"
