#pragma once
// The demo phone's sections as files of the virtual phone's COM1 in store, for the
// benchmarks that run the window against it. False when a file could not be written.

#include <QString>

bool PutDemoPhone(const QString& store);
