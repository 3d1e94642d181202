#pragma once
// The window's backup and restore of the whole phone, in the folder format kivnvm uses.

class QWidget;
class TPhonePort;
class TReporter;
struct THistoryConfig;
struct TBackupSource;
struct TCatalogue;

// Asks for a new or empty folder, backs up every slot and 2-16, 2-17, 2-18 into it, and
// sums up what was saved, what could not be read and the library it was made through; only a
// verified backup is told as plain success.
void BackupPhoneCommand(QWidget* owner, TPhonePort& port, const TCatalogue& catalogue,
                        const TBackupSource& source, TReporter& reporter);
// Asks for a backup folder, checks every file before anything is written, shows what the
// restore would change, and restores on the user's word, refreshing the rows it changes;
// only a restore that brought every section to the backup's content is told as plain success.
void RestorePhoneCommand(QWidget* owner, TPhonePort& port, TCatalogue& catalogue,
                         const THistoryConfig& history, TReporter& reporter);
