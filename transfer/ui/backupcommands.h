#pragma once
// The window's backup and restore of the whole phone, in the folder format kivnvm uses.

class QWidget;
class TPhonePort;
class TReporter;
struct THistoryConfig;
class QString;
struct TCatalogue;

// Asks for a new or empty folder, backs up every slot and 2-16, 2-17, 2-18 into it, and
// sums up what was saved and what could not be read.
void BackupPhoneCommand(QWidget* owner, TPhonePort& port, const TCatalogue& catalogue,
                        const QString& portName, TReporter& reporter);
// Asks for a backup folder, checks every file before anything is written, shows what the
// restore would change, and restores on the user's word, refreshing the rows it changes.
void RestorePhoneCommand(QWidget* owner, TPhonePort& port, TCatalogue& catalogue,
                         const THistoryConfig& history, TReporter& reporter);
