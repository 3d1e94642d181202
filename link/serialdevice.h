#pragma once
// The serial device behind each COM port (COM1=/dev/ttyUSB0), and the checks made before the
// link opens on it, so that a missing cable or a missing group membership is told in words
// rather than as a bare "Can't open port!".

#include <QList>
#include <QMap>
#include <QString>
#include <optional>

#include "link/linkstatus.h"

// COM port number (1..4) to the device path behind it.
using TSerialMap = QMap<int, QString>;

constexpr int kFirstComPort = 1;
constexpr int kLastComPort = 4;

// One COM port and the device behind it.
struct TSerialMapping {
  int Port = 0;
  QString Device;
};
// "COM1=/dev/ttyUSB0" (COM in any case, a path that is not empty); nothing for other text.
std::optional<TSerialMapping> ParseSerialMapping(const QString& text);

// Whether the link can open on the device behind port: -2 (the port cannot be opened) with
// the reason Device, why and what to do; the reason None when nothing is known against it.
TLinkStatus CheckSerialDevice(int port, const QString& device);

// Whether the device is there: a file on Linux, a port the system lists on Windows.
bool SerialDeviceExists(const QString& device);
// The port number a library opens the device by, where the ports are the machine's own
// (Windows: 3 for "COM3"); 0 where devices are put behind a port, as under Wine.
int MachinePortOf(const QString& device);

// The group whose members may open the device ("dialout"); empty when none may, and on
// Windows, which opens a port to whoever asks first.
QString DeviceGroupThatMayOpen(const QString& device);
// Whether another program holds the device: it refuses a new opening (EBUSY), holds a lock
// on it, or a lock file of /var/lock names a process that runs.
bool SerialDeviceBusy(const QString& device);

// Empties the device's queues: what an earlier opening left unread, an answer that came
// after its library had given up included, must not pass for the answer to the next one.
// Nothing happens to a device that does not open or is no terminal.
void FlushSerialDevice(const QString& device);

// A serial device present, as the system describes it.
struct TSerialDeviceInfo {
  QString Device;       // "/dev/ttyUSB0"
  QString Description;  // "USB-Serial Controller"; empty when the system has none
  bool operator==(const TSerialDeviceInfo& other) const { return Device == other.Device; }
};
// The serial devices present, in the system's order.
QList<TSerialDeviceInfo> SerialDevicesPresent();
// A device named by the user: as present describes it, else without a description.
TSerialDeviceInfo NamedDevice(const QString& device, const QList<TSerialDeviceInfo>& present);
// "/dev/ttyUSB0 (USB-Serial Controller)", "/dev/ttyS0 (no description)".
QString DeviceText(const TSerialDeviceInfo& device);
