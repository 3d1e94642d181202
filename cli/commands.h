#pragma once
// The dispatch of one kivnvm command line over the command table.

#include <QStringList>

#include "cli/args.h"

struct TCommandEntry;

// A command line understood: the command to run with its options and operands, or, for
// the help and the version, the text to show instead.
struct TCommandLine {
  const TCommandEntry* Command = nullptr;
  TArgs Args;
  QString Shown;
};

// Reads a command line (without the program name) as a run does before the command starts;
// throws TUsageError for one that is not understood.
TCommandLine ReadCommandLine(const QStringList& arguments);
// Runs the command that arguments (without the program name) ask for; returns the exit
// status: 0 done, 1 failed (the reason on stderr), 2 the command line was not understood.
int RunKivnvm(const QStringList& arguments);
// Whether the command line asks for --json output; false when it is not understood.
bool AsksForJson(const QStringList& arguments);
