#pragma once
// The demo phone's sections as files of the virtual phone's port folder in store, for the
// benchmarks that run the window against it; longerBy bytes more at the end of each section
// make a phone whose every slot that holds something reads differently. False when a file
// could not be written.

#include <QString>

bool PutDemoPhone(const QString& store, const QString& port = QStringLiteral("COM1"),
                  int longerBy = 0);
