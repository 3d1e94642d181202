#pragma once
// The window's two library uploads.

class TPhonePort;
class TPrefForm;
class TReporter;
struct THistoryConfig;
class QWidget;

// The UFIF2 library goes where the phone's own preferences say, so they are read afresh
// first; the user confirms the place, then picks the file.
void UploadUFIF2LibraryCommand(QWidget* owner, TPhonePort& port, TPrefForm& prefs,
                               const THistoryConfig& history, TReporter& reporter);
// The PRG3 library from its text, into 2-16.
void UploadPRG3LibraryCommand(QWidget* owner, TPhonePort& port, const THistoryConfig& history,
                              TReporter& reporter);
