#include "settings/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "catalogue/slotinfo.h"
#include "common/errors.h"
#include "common/fileio.h"
#include "common/platform.h"
#include "common/strtoint.h"
#include "common/texts.h"
#include "ufif/firmwares.h"

namespace {

const QString FormTop = QStringLiteral("Form/Top");
const QString FormLeft = QStringLiteral("Form/Left");
const QString FormWidth = QStringLiteral("Form/Width");
const QString FormHeight = QStringLiteral("Form/Height");
const QString ManagerCOMPort = QStringLiteral("Manager/COM-Port");
const QString ManagerFirstBig = QStringLiteral("Manager/FirstBig");
const QString ManagerBigSlots = QStringLiteral("Manager/BigSlots");
const QString ManagerFirstSmall = QStringLiteral("Manager/FirstSmall");
const QString ManagerSmallSlots = QStringLiteral("Manager/SmallSlots");
const QString ManagerUFIFFW = QStringLiteral("Manager/UFIFFW");
const QString ManagerLanguage = QStringLiteral("Manager/Language");
const QString HistoryKeep = QStringLiteral("History/Keep");

int WithinOrFirst(int value, int count) {
  return value >= 0 && value < count ? value : 0;
}

// The options dialog shows the first and last subsection of each range in a two-digit
// field, and its OK takes back what the fields show. So a loaded range must be one the
// fields can show: a range starting outside 0..99 starts at its default, and none runs past
// 99.
constexpr int MaxFieldSubsection = 99;

void KeepWithinFields(int& first, int& count, int defaultFirst) {
  if (first < 0 || first > MaxFieldSubsection)
    first = defaultFirst;
  count = qMin(count, MaxFieldSubsection + 1 - first);
}

// An empty range shows its last subsection as one before the first: from 0 that would be
// -1, which no field can hold, so such a range starts at its default and stays empty.
void KeepEmptyShowable(int& first, int count, int defaultFirst) {
  if (count == 0 && first == 0)
    first = defaultFirst;
}

}  // namespace

bool operator==(const TManagerSettings& a, const TManagerSettings& b) {
  return a.Top == b.Top && a.Left == b.Left && a.Width == b.Width && a.Height == b.Height &&
         a.COMPort == b.COMPort && a.Ranges.FirstBig == b.Ranges.FirstBig &&
         a.Ranges.BigSlots == b.Ranges.BigSlots && a.Ranges.FirstSmall == b.Ranges.FirstSmall &&
         a.Ranges.SmallSlots == b.Ranges.SmallSlots && a.UFIFFW == b.UFIFFW;
}

QString SettingsPathFor(const QString& executablePath) {
  const QFileInfo executable(executablePath);
  return executable.path() + QLatin1Char('/') + executable.completeBaseName() +
         QStringLiteral(".INI");
}

bool IsInstalledLayout(const QString& executablePath) {
  // A Windows copy keeps its settings beside it wherever that folder may be written.
  if (kWindowsBuild)
    return false;
  const QDir binDir = QFileInfo(executablePath).dir();
  return QFileInfo(binDir.filePath(QStringLiteral(KIV_PRIVATE_LIBDIR_FROM_BINDIR))).isDir();
}

QString ChooseSettingsPath(const QString& besidePath, bool installed, bool folderWritable,
                           const QString& configFolder) {
  if (!installed && folderWritable)
    return besidePath;
  return configFolder + QLatin1Char('/') + QFileInfo(besidePath).fileName();
}

QString SettingsFileOf(const QString& executablePath) {
  const QString beside = SettingsPathFor(executablePath);
  const bool installed = IsInstalledLayout(executablePath);
  const QString chosen =
      ChooseSettingsPath(beside, installed, QFileInfo(QFileInfo(beside).path()).isWritable(),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
  if (!installed && chosen != beside && QFileInfo(beside).isFile() && !QFileInfo::exists(chosen)) {
    QDir().mkpath(QFileInfo(chosen).path());
    QFile::copy(beside, chosen);
  }
  return chosen;
}

void SetProgramNames() {
  QCoreApplication::setOrganizationName(QStringLiteral("kiv-manager"));
  QCoreApplication::setApplicationName(QStringLiteral("kiv-manager"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KIV_VERSION));
}

int SettingsInteger(const QVariant& value, int defaultValue) {
  // A value holding a comma comes back from QSettings as a list: not an integer either.
  if (!value.isValid() || value.userType() == QMetaType::QStringList)
    return defaultValue;
  return TryStrToInt(value.toString()).value_or(defaultValue);
}

namespace {

TManagerSettings ManagerSettingsOf(const QSettings& file) {
  TManagerSettings settings;
  const auto read = [&file](const QString& key, int defaultValue) {
    return SettingsInteger(file.value(key), defaultValue);
  };
  settings.Top = read(FormTop, settings.Top);
  settings.Left = read(FormLeft, settings.Left);
  settings.Width = read(FormWidth, settings.Width);
  settings.Height = read(FormHeight, settings.Height);
  settings.COMPort = WithinOrFirst(read(ManagerCOMPort, settings.COMPort), COMPortCount);
  TSlotRanges& ranges = settings.Ranges;
  ranges.FirstBig = read(ManagerFirstBig, ranges.FirstBig);
  ranges.BigSlots = read(ManagerBigSlots, ranges.BigSlots);
  ranges.FirstSmall = read(ManagerFirstSmall, ranges.FirstSmall);
  ranges.SmallSlots = read(ManagerSmallSlots, ranges.SmallSlots);
  const TSlotRanges defaults;
  KeepWithinFields(ranges.FirstBig, ranges.BigSlots, defaults.FirstBig);
  KeepWithinFields(ranges.FirstSmall, ranges.SmallSlots, defaults.FirstSmall);
  ranges = BoundedRanges(ranges);
  KeepEmptyShowable(ranges.FirstBig, ranges.BigSlots, defaults.FirstBig);
  KeepEmptyShowable(ranges.FirstSmall, ranges.SmallSlots, defaults.FirstSmall);
  settings.UFIFFW = WithinOrFirst(read(ManagerUFIFFW, settings.UFIFFW), FirmwareTable().size());
  return settings;
}

THistoryConfig HistoryConfigOf(const QSettings& file) {
  THistoryConfig history;
  const QString keep = file.value(HistoryKeep).toString().trimmed().toLower();
  if (keep == QStringLiteral("0") || keep == QStringLiteral("false") ||
      keep == QStringLiteral("no") || keep == QStringLiteral("off"))
    return history;
  history.Dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/kiv-manager/history");
  return history;
}

// Opens the file for writing, or refuses one it cannot read: QSettings would rewrite it from
// what it could parse.
std::unique_ptr<QSettings> OpenForWriting(const QString& path) {
  TIniFile ini = OpenIniFile(path);
  if (!ini.Settings)
    throw EIniFileException(path);
  return std::move(ini.Settings);
}

}  // namespace

TSettingsRead ReadSettings(const QString& path) {
  TSettingsRead read;
  read.Path = path;
  read.Exists = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
  const TIniFile ini = OpenIniFile(path);
  if (!ini.Settings) {
    //: %1 is the settings file, %2 the reason: "Permission denied", "it is a directory"
    read.Problem =
        TSettingsText::tr("The settings file %1 cannot be read: %2").arg(path, ini.Problem);
    read.Link.Refusal = read.Problem;
    return read;
  }
  const QSettings& file = *ini.Settings;
  read.Manager = ManagerSettingsOf(file);
  read.Language = file.value(ManagerLanguage).toString().trimmed();
  read.History = HistoryConfigOf(file);
  read.Link = LinkChoiceOf(file);
  return read;
}

void WriteSettingsFile(const QString& path, const TManagerSettings& settings) {
  const std::unique_ptr<QSettings> opened = OpenForWriting(path);
  QSettings& file = *opened;
  file.setValue(FormTop, settings.Top);
  file.setValue(FormLeft, settings.Left);
  file.setValue(FormWidth, settings.Width);
  file.setValue(FormHeight, settings.Height);
  file.setValue(ManagerCOMPort, settings.COMPort);
  file.setValue(ManagerFirstBig, settings.Ranges.FirstBig);
  file.setValue(ManagerBigSlots, settings.Ranges.BigSlots);
  file.setValue(ManagerFirstSmall, settings.Ranges.FirstSmall);
  file.setValue(ManagerSmallSlots, settings.Ranges.SmallSlots);
  file.setValue(ManagerUFIFFW, settings.UFIFFW);
  file.sync();
  if (file.status() != QSettings::NoError)
    throw EIniFileException(path);
}

void WriteLanguageSetting(const QString& path, const QString& language) {
  const std::unique_ptr<QSettings> opened = OpenForWriting(path);
  QSettings& file = *opened;
  file.setValue(ManagerLanguage, language);
  file.sync();
  if (file.status() != QSettings::NoError)
    throw EIniFileException(path);
}

TSlotRangeFields FieldsForRanges(const TSlotRanges& ranges) {
  const auto twoDigits = [](int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
  };
  return {twoDigits(ranges.FirstBig), twoDigits(ranges.FirstBig + ranges.BigSlots - 1),
          twoDigits(ranges.FirstSmall), twoDigits(ranges.FirstSmall + ranges.SmallSlots - 1)};
}

TSlotRanges RangesFromFields(const TSlotRangeFields& fields) {
  const qint32 firstBig = StrToInt(fields.FirstBig);
  const qint32 lastBig = StrToInt(fields.LastBig);
  const qint32 firstSmall = StrToInt(fields.FirstSmall);
  const qint32 lastSmall = StrToInt(fields.LastSmall);
  TSlotRanges ranges;
  ranges.FirstBig = firstBig;
  ranges.BigSlots = lastBig - firstBig + 1;
  ranges.FirstSmall = firstSmall;
  ranges.SmallSlots = lastSmall - firstSmall + 1;
  return ranges;
}

QString RangesProblem(const TSlotRanges& ranges) {
  if (ranges.BigSlots < 0)
    return TSettingsText::tr(
        "Invalid big slot range: the last subsection comes before the first one.");
  if (ranges.SmallSlots < 0)
    return TSettingsText::tr(
        "Invalid small slot range: the last subsection comes before the first one.");
  if (ranges.BigSlots + ranges.SmallSlots > MaxSlotRows)
    //: %1 is the most slots the grid holds, %2 how many the ranges entered hold.
    return TSettingsText::tr("The manager shows at most %1 slots; these ranges hold %2.")
        .arg(MaxSlotRows)
        .arg(ranges.BigSlots + ranges.SmallSlots);
  return {};
}

QString PortName(int port) {
  return QStringLiteral("COM%1").arg(port);
}
