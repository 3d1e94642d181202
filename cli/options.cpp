#include "cli/options.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include "catalogue/slotinfo.h"
#include "cli/args.h"
#include "cli/console.h"
#include "common/texts.h"
#include "settings/settingsfile.h"
#include "ufif/firmwares.h"
#include "ufif/icons.h"

namespace {

bool FitsOneByte(int value) {
  return value >= 0 && value <= MaxAddressNumber;
}

int ParsePort(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^COM([1-4])$"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch())
    throw TUsageError(TCliText::tr("--port takes COM1, COM2, COM3 or COM4, not '%1'").arg(text));
  return match.captured(1).toInt();
}

// "9-29,10-14": first and last subsection of the big slots, then of the small slots.
TSlotRanges ParseSlots(const QString& text) {
  static const QRegularExpression pattern(
      QStringLiteral("^(\\d{1,3})-(\\d{1,3}),(\\d{1,3})-(\\d{1,3})$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) {
    throw TUsageError(
        TCliText::tr("--slots takes FIRSTBIG-LASTBIG,FIRSTSMALL-LASTSMALL, not '%1'").arg(text));
  }
  TSlotRanges ranges;
  ranges.FirstBig = match.captured(1).toInt();
  ranges.BigSlots = match.captured(2).toInt() - ranges.FirstBig + 1;
  ranges.FirstSmall = match.captured(3).toInt();
  ranges.SmallSlots = match.captured(4).toInt() - ranges.FirstSmall + 1;
  if (ranges.BigSlots < 0 || ranges.SmallSlots < 0)
    throw TUsageError(TCliText::tr("--slots: a range ends before it begins in '%1'").arg(text));
  if (ranges.BigSlots + ranges.SmallSlots > MaxSlotRows)
    throw TUsageError(TCliText::tr("--slots: at most %1 slots in all").arg(MaxSlotRows));
  return ranges;
}

void CheckRangesFitOneByte(const TSlotRanges& ranges) {
  for (const TSectionAddress& address : SlotAddresses(ranges)) {
    if (!FitsOneByte(address.SubSection)) {
      throw TUsageError(
          TCliText::tr("the slot ranges reach subsection %1; subsections go up to 255")
              .arg(address.SubSection));
    }
  }
}

}  // namespace

TSectionAddress ParseAddressArgument(const QString& text) {
  const std::optional<TSectionAddress> address = ParseSectionAddress(text);
  if (!address) {
    throw TUsageError(
        TCliText::tr("'%1' is not a section address such as 18-9 (numbers 0 to 255)").arg(text));
  }
  return *address;
}

QList<TSectionAddress> ParseAddressList(const QString& text) {
  QList<TSectionAddress> addresses;
  for (const QString& part : text.split(QLatin1Char(',')))
    addresses << ParseAddressArgument(part.trimmed());
  return addresses;
}

quint32 ParseIconCode(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^[0-9A-Fa-f]{4}$"));
  if (pattern.match(text).hasMatch()) {
    const quint32 code = text.toUInt(nullptr, 16);
    for (const TIconItem& item : IconItems()) {
      if (item.Code == code)
        return code;
    }
  }
  throw TUsageError(
      TCliText::tr("--icon takes an icon code of the icon list such as E852, not '%1'").arg(text));
}

QString FirmwareTextFrom(const TArgs& args) {
  if (args.Has(QStringLiteral("firmware")) && args.Has(QStringLiteral("firmware-index")))
    throw TUsageError(TCliText::tr("give either --firmware or --firmware-index, not both"));
  if (args.Has(QStringLiteral("firmware")))
    return args.Value(QStringLiteral("firmware"));
  const QStringList& table = FirmwareTable();
  const QString indexText = args.Value(QStringLiteral("firmware-index"), QStringLiteral("0"));
  bool ok = false;
  const int index = indexText.toInt(&ok);
  if (!ok || index < 0 || index >= table.size()) {
    throw TUsageError(TCliText::tr("--firmware-index takes 0 to %1, not '%2'")
                          .arg(QString::number(table.size() - 1), indexText));
  }
  return table[index];
}

QString ManagerSettingsPath() {
  // The manager's executable, where it stands beside kivnvm: its settings are named after it.
  return SettingsFileOf(QCoreApplication::applicationDirPath() + QStringLiteral("/KivManager"));
}

TSettingsRead CheckedSettings(const QString& settingsPath) {
  TSettingsRead settings = ReadSettings(settingsPath);
  if (!settings.Ok())
    //: %1 says which settings file could not be read, and why.
    throw TCommandFailed(
        TCliText::tr("%1: no phone command runs until it can be read").arg(settings.Problem));
  return settings;
}

TPhoneOptions PhoneOptionsFrom(const TArgs& args, const QString& settingsPath) {
  const TSettingsRead settings = CheckedSettings(settingsPath);
  TPhoneOptions options(LinkChoiceFrom(args, settings));
  if (args.Has(QStringLiteral("port"))) {
    options.Port = ParsePort(args.Value(QStringLiteral("port")));
    //: Where the port came from, after the port: "(COM2, from --port)".
    options.PortOrigin = TCliText::tr("from --port");
  } else {
    options.Port = settings.Manager.COMPort + 1;
    options.PortOrigin = settings.Exists
                             ? TCliText::tr("from the settings file %1").arg(settingsPath)
                             : TCliText::tr("the default: no settings file %1").arg(settingsPath);
  }
  options.Ranges = args.Has(QStringLiteral("slots"))
                       ? ParseSlots(args.Value(QStringLiteral("slots")))
                       : settings.Manager.Ranges;
  CheckRangesFitOneByte(options.Ranges);
  options.Progress = args.Has(QStringLiteral("progress")) || StderrIsTerminal();
  options.History = settings.History;
  return options;
}

TLinkChoice LinkChoiceFrom(const TArgs& args, const TSettingsRead& settings) {
  TLinkChoice choice = settings.Link;
  if (args.Has(QStringLiteral("link")))
    choice.Library = args.Value(QStringLiteral("link"));
  if (args.Has(QStringLiteral("isolate")))
    choice.Isolate = true;
  if (args.Has(QStringLiteral("timeout-factor"))) {
    const QString text = args.Value(QStringLiteral("timeout-factor"));
    choice.TimeoutFactor = ParseTimeoutFactor(text);
    if (choice.TimeoutFactor <= 0)
      throw TUsageError(
          TCliText::tr("'%1' is no timeout factor: give a positive number such as 0.5 or 3")
              .arg(text));
  }
  for (const QString& text : args.Values(QStringLiteral("serial"))) {
    const std::optional<TSerialMapping> mapping = ParseSerialMapping(text);
    if (!mapping)
      throw TUsageError(
          TCliText::tr("--serial takes COMn=DEVICE such as COM1=/dev/ttyUSB0, not '%1'").arg(text));
    choice.Serial.insert(mapping->Port, mapping->Device);
  }
  return choice;
}
