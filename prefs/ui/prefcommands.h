#pragma once
// The window's preferences commands: the record read into the dialog, the dialog's values
// written back, and the dialog itself.

class TPhonePort;
class TPrefForm;
class TReporter;
struct THistoryConfig;

void GetPrefCommand(TPhonePort& port, TPrefForm& form, TReporter& reporter);
void SetPrefCommand(TPhonePort& port, TPrefForm& form, const THistoryConfig& history,
                    TReporter& reporter);
// Shows the dialog (which reads the record as it opens) and writes it back on OK.
void PrefDialogCommand(TPhonePort& port, TPrefForm& form, const THistoryConfig& history,
                       TReporter& reporter);
