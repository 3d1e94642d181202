#pragma once
// Reading and writing the preferences record in section 2-18.

#include <QByteArray>
#include <optional>

class TPhonePort;
class TReporter;
struct THistoryConfig;

// The record's bytes as the phone returned them. Nothing when the link did not open or
// the read failed (the user has been told).
std::optional<QByteArray> ReadPrefRecord(TPhonePort& port, TReporter& reporter);

// Writes the record and checks that the phone holds all of it: "Uploaded!" or the upload
// error. False when it was not written whole.
bool WritePrefRecord(TPhonePort& port, const QByteArray& record, const THistoryConfig& history,
                     TReporter& reporter);
