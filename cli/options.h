#pragma once
// Values given on the command line or taken from the manager's settings file.

#include <QList>
#include <QString>

#include "catalogue/slotmap.h"
#include "link/linkchoice.h"
#include "settings/settingsfile.h"
#include "transfer/history.h"

class TArgs;

// "18-9", "18-09", "02-10"; both numbers 0..255, since the phone link takes each as one
// byte and a larger number would reach another section. Throws TUsageError.
TSectionAddress ParseAddressArgument(const QString& text);
// "18-9,2-10"; throws TUsageError.
QList<TSectionAddress> ParseAddressList(const QString& text);

// An icon code of four hexadecimal digits that the icon list offers; throws TUsageError.
quint32 ParseIconCode(const QString& text);

// --firmware TEXT or --firmware-index N (entry 0 of the firmware table by default).
QString FirmwareTextFrom(const TArgs& args);

// The link and the slots every phone command works with. Made only with a link chosen by
// the settings and the options, so no command falls back on a library nobody chose.
struct TPhoneOptions {
  explicit TPhoneOptions(const TLinkChoice& link) : Link(link) {}
  int Port = 1;        // 1 = COM1 ... 4 = COM4
  QString PortOrigin;  // "from --port", "from the settings file ...", for the link's messages
  TSlotRanges Ranges;
  bool Progress = false;   // on stderr: forced on by --progress, else when it is a terminal
  TLinkChoice Link;        // the settings file's [Link], with the link's options
  THistoryConfig History;  // the settings file's [History]: where the changes are kept
};

// The settings file read, or TCommandFailed naming the file and why it could not be read:
// no phone command runs on settings it could not read.
TSettingsRead CheckedSettings(const QString& settingsPath);

// The settings file's [Link] section with what --link, --isolate, --timeout-factor and
// --serial say instead. Throws TUsageError for a factor that is no positive number or a
// --serial that is no COMn=DEVICE.
TLinkChoice LinkChoiceFrom(const TArgs& args, const TSettingsRead& settings);

// The manager's settings file, found as the manager finds it (SettingsFileOf) for a manager
// beside kivnvm.
QString ManagerSettingsPath();
// --port, --slots, --progress and the link's options, with the settings file's COM-Port and slot
// ranges (else COM1 and 9, 21, 10, 5) for what the command line leaves out. Throws TUsageError,
// or TCommandFailed for a settings file that cannot be read.
TPhoneOptions PhoneOptionsFrom(const TArgs& args, const QString& settingsPath);
