// The serial devices of a POSIX system: device files, their permissions and their locks.

#include "link/serialdevice.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <cerrno>

#include "common/texts.h"
#include "link/deviceaccess.h"

namespace {

QString GroupName(gid_t group) {
  const struct group* entry = getgrgid(group);
  return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(group);
}

QString UserName(uid_t user) {
  const struct passwd* entry = getpwuid(user);
  return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(user);
}

bool InGroup(const TAccount& account, gid_t group) {
  return account.Group == group || account.Groups.contains(group);
}

}  // namespace

bool MayOpenReadWrite(const TDeviceAccess& device, const TAccount& account) {
  if (account.User == 0)
    return true;
  // The first class that matches decides, as the kernel's own check does.
  mode_t wanted = S_IRUSR | S_IWUSR;
  if (device.Owner != account.User)
    wanted = InGroup(account, device.Group) ? (S_IRGRP | S_IWGRP) : (S_IROTH | S_IWOTH);
  return (device.Mode & wanted) == wanted;
}

TAccount CurrentAccount() {
  TAccount account;
  account.User = geteuid();
  account.Group = getegid();
  const int count = getgroups(0, nullptr);
  if (count > 0) {
    QList<gid_t> groups(count);
    const int got = getgroups(count, groups.data());
    if (got > 0)
      account.Groups = groups.mid(0, got);
  }
  return account;
}

TLinkStatus CheckSerialDevice(int port, const QString& device) {
  struct stat status {};
  if (stat(QFile::encodeName(device).constData(), &status) != 0) {
    //: %1 is the port's number, %2 the device: "/dev/ttyUSB0"
    return DeviceFailure(
        TLinkText::tr("COM%1 is %2, which does not exist: is the cable plugged in?")
            .arg(port)
            .arg(device));
  }
  const TDeviceAccess access{status.st_mode & 07777, status.st_uid, status.st_gid};
  if (MayOpenReadWrite(access, CurrentAccount()))
    return {};
  const QString group = DeviceGroupThatMayOpen(device);
  if (!group.isEmpty()) {
    //: %1 is the device, %2 the group whose members may open it: "dialout"
    return DeviceFailure(
        TLinkText::tr(
            "Your account may not open %1 (group %2): add yourself with `sudo usermod -aG %2 "
            "$USER`, then log in again.")
            .arg(device, group));
  }
  // No group may open it either: only a change of its permissions helps.
  //: %1 is the device, %2 its permissions in octal, %3 its owner
  return DeviceFailure(
      TLinkText::tr("Your account may not open %1 (mode %2, owner %3): give it read and write "
                    "permission for your account or a group of yours.")
          .arg(device, QString::number(access.Mode, 8), UserName(access.Owner)));
}

bool SerialDeviceExists(const QString& device) {
  return QFileInfo::exists(device);
}

int MachinePortOf(const QString&) {
  return 0;
}

QString DeviceGroupThatMayOpen(const QString& device) {
  struct stat status {};
  if (stat(QFile::encodeName(device).constData(), &status) != 0 ||
      (status.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
    return {};
  return GroupName(status.st_gid);
}

bool SerialDeviceBusy(const QString& device) {
  const int file = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (file < 0)
    return errno == EBUSY;
  const bool locked = ::flock(file, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(file);
  if (locked)
    return true;
  // The lock file of the old serial programs: "LCK..ttyUSB0" with the holder's process id.
  QFile lock(QStringLiteral("/var/lock/LCK..") + QFileInfo(device).fileName());
  if (!lock.open(QIODevice::ReadOnly))
    return false;
  const pid_t holder = pid_t(lock.read(64).trimmed().toInt());
  return holder > 0 && (::kill(holder, 0) == 0 || errno == EPERM);
}

void FlushSerialDevice(const QString& device) {
  const int file =
      ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0)
    return;
  if (isatty(file))
    tcflush(file, TCIOFLUSH);
  ::close(file);
}

QList<TSerialDeviceInfo> SerialDevicesPresent() {
  QList<TSerialDeviceInfo> devices;
  for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
    devices << TSerialDeviceInfo{port.systemLocation(), port.description().isEmpty()
                                                            ? port.manufacturer()
                                                            : port.description()};
  }
  return devices;
}
