#pragma once
// kivnvm's command table and the dispatch of one command line.

#include <QStringList>

// Runs the command that arguments (without the program name) ask for; returns the exit
// status: 0 done, 1 failed (the reason on stderr), 2 the command line was not understood.
int RunKivnvm(const QStringList& arguments);
// Whether the command line asks for --json output; false when it is not understood.
bool AsksForJson(const QStringList& arguments);
