#pragma once
// Whether an account may open a device by its permission bits: the check that tells a
// missing group membership in words on POSIX systems.

#include <sys/types.h>
#include <QList>

// Who asks to open a device: the account and every group it is in.
struct TAccount {
  uid_t User = 0;
  gid_t Group = 0;
  QList<gid_t> Groups;  // the supplementary groups
};

// Who owns a device and how it may be opened.
struct TDeviceAccess {
  mode_t Mode = 0;  // permission bits
  uid_t Owner = 0;
  gid_t Group = 0;
};

// Whether the account may open the device for reading and writing, by its permission bits
// (root may open anything).
bool MayOpenReadWrite(const TDeviceAccess& device, const TAccount& account);

// This process's account.
TAccount CurrentAccount();
