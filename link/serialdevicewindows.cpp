// The serial ports of Windows: COM1, COM3 ... as the system lists them under
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, each opened by whoever asks first.

#include <windows.h>

#include <QStringList>
#include <algorithm>

#include "common/texts.h"
#include "link/serialdevice.h"

namespace {

// "COM3" for "com3", "\\.\COM3" and "COM3"; empty for anything else.
QString PortName(const QString& device) {
  QString name = device.trimmed().toUpper();
  if (name.startsWith(QStringLiteral("\\\\.\\")))
    name = name.mid(4);
  bool number = false;
  return name.startsWith(QStringLiteral("COM")) && (name.mid(3).toInt(&number), number) ? name
                                                                                        : QString();
}

// The port opened as a program opens it, and closed at once; its error when it cannot be.
DWORD OpenError(const QString& port) {
  const std::wstring path = (QStringLiteral("\\\\.\\") + port).toStdWString();
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return GetLastError();
  CloseHandle(file);
  return ERROR_SUCCESS;
}

}  // namespace

bool SerialDeviceExists(const QString& device) {
  const QString name = PortName(device);
  const QList<TSerialDeviceInfo> ports = SerialDevicesPresent();
  return !name.isEmpty() &&
         std::any_of(ports.cbegin(), ports.cend(),
                     [&](const TSerialDeviceInfo& known) { return known.Device == name; });
}

int MachinePortOf(const QString& device) {
  return PortName(device).mid(3).toInt();
}

TLinkStatus CheckSerialDevice(int port, const QString& device) {
  if (SerialDeviceExists(device))
    return {};
  //: %1 is the port's number, %2 the device: "/dev/ttyUSB0"
  return DeviceFailure(TLinkText::tr("COM%1 is %2, which does not exist: is the cable plugged in?")
                           .arg(port)
                           .arg(device));
}

QString DeviceGroupThatMayOpen(const QString&) {
  return {};
}

bool SerialDeviceBusy(const QString& device) {
  const QString name = PortName(device);
  return !name.isEmpty() && OpenError(name) == ERROR_ACCESS_DENIED;
}

void FlushSerialDevice(const QString& device) {
  const QString name = PortName(device);
  if (name.isEmpty())
    return;
  const std::wstring path = (QStringLiteral("\\\\.\\") + name).toStdWString();
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  PurgeComm(file, PURGE_RXCLEAR | PURGE_TXCLEAR);
  CloseHandle(file);
}

QList<TSerialDeviceInfo> SerialDevicesPresent() {
  QList<TSerialDeviceInfo> devices;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return devices;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    wchar_t data[256];
    DWORD nameLength = DWORD(std::size(name));
    DWORD dataBytes = DWORD(sizeof data);
    DWORD type = 0;
    const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &dataBytes);
    if (result == ERROR_NO_MORE_ITEMS)
      break;
    if (result != ERROR_SUCCESS || type != REG_SZ)
      continue;
    // The value's name is the driver's device ("\Device\Serial0"), its data the port.
    const QString port =
        QString::fromWCharArray(data, int(dataBytes / sizeof(wchar_t))).remove(QChar(0));
    devices << TSerialDeviceInfo{port, QString::fromWCharArray(name, int(nameLength))};
  }
  RegCloseKey(key);
  // COM2 before COM10, as the ports are numbered.
  std::sort(devices.begin(), devices.end(),
            [](const TSerialDeviceInfo& a, const TSerialDeviceInfo& b) {
              return a.Device.mid(3).toInt() < b.Device.mid(3).toInt();
            });
  return devices;
}
