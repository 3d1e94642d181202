#include "link/findphone.h"

#include <optional>

#include "common/messages.h"
#include "common/platform.h"
#include "common/texts.h"
#include "link/gbp.h"
#include "link/gbplibrary.h"
#include "link/linktest.h"
#include "link/sectionanswer.h"
#include "link/winehost.h"
#ifndef _WIN32
#include "link/wineports.h"
#endif

namespace {

TFoundDevice Found(const TSerialDeviceInfo& device, TFindResult result, const QString& text,
                   const QString& detail = QString()) {
  return TFoundDevice{device, result, text, detail};
}

// What the device itself says before the library is tried: missing, closed to this
// account, or held by another program; nothing when the library may try it.
std::optional<TFoundDevice> CheckedAway(const TSerialDeviceInfo& device, int port) {
  if (!SerialDeviceExists(device.Device))
    return Found(device, TFindResult::Missing, TLinkText::tr("does not exist"));
  const TLinkStatus checked = CheckSerialDevice(port, device.Device);
  if (checked.Reason != TLinkReason::None) {
    const QString group = DeviceGroupThatMayOpen(device.Device);
    QString text = TLinkText::tr("may not be opened");
    if (!group.isEmpty()) {
      //: %1 is the group whose members may open the device: "dialout"
      text = TLinkText::tr("may not be opened (group %1)").arg(group);
    }
    return Found(device, TFindResult::MayNotOpen, text, checked.Why);
  }
  if (SerialDeviceBusy(device.Device))
    return Found(device, TFindResult::Busy, TLinkText::tr("busy"));
  return std::nullopt;
}

TFoundDevice Try(TGBPLibrary& library, int port, const TSerialDeviceInfo& device,
                 const std::atomic<bool>& cancel) {
  if (const std::optional<TFoundDevice> away = CheckedAway(device, port))
    return *away;
  if (const int own = MachinePortOf(device.Device)) {
    if (own < kFirstComPort || own > kLastComPort)
      return Found(device, TFindResult::OutOfReach,
                   TLinkText::tr("out of reach: the library opens COM1 to COM4 only"));
    port = own;
  } else {
    library.MapPort(port, device.Device);
  }
  const TLinkProbe probe = ProbeLink(library, port);
  const TLinkStatus& ended = probe.Ended;
  if (cancel.load())
    return Found(device, TFindResult::Cancelled, TLinkText::tr("cancelled"),
                 ended.HostFailed() ? ended.Why : QString());
  if (ended.Reason == TLinkReason::NotUsable)
    return Found(device, TFindResult::Failed, UnableToOpenGBPText(), probe.Detail());
  if (ended.HostFailed())
    return Found(device, TFindResult::NoAnswer, TLinkText::tr("no answer"), ended.Why);
  if (probe.Opened == GBPNoATResponse)
    return Found(device, TFindResult::NoAnswer, TLinkText::tr("no answer"),
                 GBPErrorMessage(probe.Opened));
  if (probe.Opened != 0)
    return Found(device, TFindResult::Failed, GBPErrorMessage(probe.Opened), probe.Detail());
  switch (JudgeAnswer(probe.Size, std::nullopt).Kind) {
    case TSectionAnswer::Holds:
      return Found(device, TFindResult::Answers,
                   TLinkText::tr("answers (2-18 holds %n bytes)", nullptr, probe.Size));
    case TSectionAnswer::Empty:
      return Found(device, TFindResult::Answers, TLinkText::tr("answers (2-18 holds nothing)"));
    case TSectionAnswer::NotTold:
      return Found(
          device, TFindResult::Answers,
          //: %1 is the size answer (-5)
          TLinkText::tr("answers (what 2-18 holds not told: size answer %1)").arg(probe.Size));
    case TSectionAnswer::SizeFailed:
    case TSectionAnswer::ReadShort:
      break;
  }
  return Found(device, TFindResult::Failed,
               //: %1 is the phone-link library's error
               TLinkText::tr("answers, but asking the size of 2-18 gave %1")
                   .arg(GBPErrorMessage(probe.Size)));
}

}  // namespace

bool CanFindPhone(const TLinkChoice& choice) {
  return kWindowsBuild || WindowsHostBitsOf(choice) != 0;
}

QString FindPhoneNeedsWindowsText() {
  return TLinkText::tr(
      "Find phone tries each device behind the COM port as Wine maps it, so "
      "it needs a Windows library; a Linux library chooses its device itself.");
}

QString NoSerialDeviceText() {
  return TLinkText::tr("No serial device is present: is the cable plugged in?");
}

TFindOutcome FindPhone(const TLinkChoice& choice, int port, const QList<TSerialDeviceInfo>& devices,
                       const std::atomic<bool>& cancel,
                       const std::function<void(const TFoundDevice&)>& found) {
  TFindOutcome outcome;
  QList<TFoundDevice>& all = outcome.Devices;
  {
    // One host for every try: only the device behind the port changes between them.
    const auto library = MakeGBPLibrary(choice);
    library->SetCancel(&cancel);
    for (const TSerialDeviceInfo& device : devices) {
      if (cancel.load())
        break;
      all << Try(*library, port, device, cancel);
      found(all.constLast());
    }
  }
  // The prefix keeps the choice's own mapping: the tries only borrowed the port. Given back
  // after a Cancel too, so not under it.
#ifndef _WIN32
  if (!all.isEmpty()) {
    const TLinkStatus restored = ApplyWinePorts(FindWine(WindowsHostBitsOf(choice)), choice.Serial,
                                                TWineWatch{choice.TimeoutFactor, nullptr});
    if (restored.Reason != TLinkReason::None)
      //: %1 says what failed
      outcome.NotRestored =
          TLinkText::tr("The serial ports of the choice were not given back: %1").arg(restored.Why);
  }
#endif
  return outcome;
}

TSerialDeviceInfo AnsweringDevice(const QList<TFoundDevice>& found) {
  for (const TFoundDevice& device : found) {
    if (device.Result == TFindResult::Answers)
      return device.Device;
  }
  return {};
}

QString FoundText(const TFoundDevice& found) {
  return QStringLiteral("%1: %2").arg(DeviceText(found.Device), found.Text);
}
