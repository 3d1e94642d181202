#include "cli/linkcommandfind.h"

#include "cli/args.h"
#include "cli/console.h"
#include "cli/jsontext.h"
#include "cli/options.h"
#include "common/texts.h"
#include "link/findphone.h"
#include "settings/settingsfile.h"

namespace {

QString ResultName(TFindResult result) {
  switch (result) {
    case TFindResult::Answers:
      return QStringLiteral("answers");
    case TFindResult::NoAnswer:
      return QStringLiteral("no answer");
    case TFindResult::MayNotOpen:
      return QStringLiteral("may not be opened");
    case TFindResult::Busy:
      return QStringLiteral("busy");
    case TFindResult::Missing:
      return QStringLiteral("missing");
    case TFindResult::OutOfReach:
      return QStringLiteral("out of reach");
    case TFindResult::Cancelled:
      return QStringLiteral("cancelled");
    case TFindResult::Failed:
      break;
  }
  return QStringLiteral("failed");
}

// The devices named, each described as the system describes it when it is present.
QList<TSerialDeviceInfo> DevicesToTry(const QStringList& named) {
  const QList<TSerialDeviceInfo> present = SerialDevicesPresent();
  if (named.isEmpty())
    return present;
  QList<TSerialDeviceInfo> devices;
  for (const QString& device : named)
    devices << NamedDevice(device, present);
  return devices;
}

void PrintJson(const QString& port, const TFindOutcome& found) {
  QList<TJsonLine> devices;
  for (const TFoundDevice& device : found.Devices) {
    TJsonLine line;
    line.Add(QStringLiteral("device"), device.Device.Device)
        .Add(QStringLiteral("description"), device.Device.Description)
        .Add(QStringLiteral("result"), ResultName(device.Result))
        .Add(QStringLiteral("text"), device.Text);
    if (!device.Detail.isEmpty())
      line.Add(QStringLiteral("detail"), device.Detail);
    devices << line;
  }
  TJsonLine json;
  json.Add(QStringLiteral("port"), port)
      .Add(QStringLiteral("devices"), devices)
      .Add(QStringLiteral("answering"), AnsweringDevice(found.Devices).Device);
  if (!found.NotRestored.isEmpty())
    json.Add(QStringLiteral("notRestored"), found.NotRestored);
  PrintOut(json.Text());
}

}  // namespace

int FindPhoneCommand(const TArgs& args, const TPhoneOptions& options) {
  if (!CanFindPhone(options.Link))
    throw TCommandFailed(FindPhoneNeedsWindowsText());
  const QList<TSerialDeviceInfo> devices = DevicesToTry(args.Positional());
  if (devices.isEmpty())
    throw TCommandFailed(NoSerialDeviceText());
  const bool json = args.Has(QStringLiteral("json"));
  const std::atomic<bool> never{false};
  const TFindOutcome found =
      FindPhone(options.Link, options.Port, devices, never, [json](const TFoundDevice& device) {
        if (json)
          return;
        PrintOut(FoundText(device));
        if (!device.Detail.isEmpty())
          PrintOut(QStringLiteral("  ") +
                   QString(device.Detail).replace(QLatin1Char('\n'), QStringLiteral("\n  ")));
      });
  const QString port = PortName(options.Port);
  const QString answering = AnsweringDevice(found.Devices).Device;
  if (!json && !found.NotRestored.isEmpty())
    PrintErr(found.NotRestored);
  if (json)
    PrintJson(port, found);
  else if (!answering.isEmpty() && MachinePortOf(answering) != 0)
    //: %1 is the port that answered: "COM3"
    PrintOut(TCliText::tr("Use it with --port %1, or choose %1 in Kiv Manager's port list")
                 .arg(answering));
  else if (!answering.isEmpty())
    //: %1 is the port: "COM1", %2 the device, %3 the settings file
    PrintOut(TCliText::tr("Keep it for %1 with --serial %1=%2, or %1=%2 in [Link] of %3")
                 .arg(port, answering, ManagerSettingsPath()));
  return StatusOf(!answering.isEmpty());
}
