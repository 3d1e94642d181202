#pragma once
// Backup of every configured slot and the modification's own sections into a new folder,
// and its restore onto the phone.

class TArgs;

int BackupCommand(const TArgs& args);
int RestoreCommand(const TArgs& args);
