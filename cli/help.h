#pragma once
// kivnvm's help: the overview of every command (kivnvm --help) and each command's own
// (kivnvm help CMD, kivnvm CMD --help).

#include <QString>

QString UsageText();
// The help of the command of that name; empty for a name that is no command.
QString CommandHelpText(const QString& name);
// What the command takes after "kivnvm ", on one line: "get S-SS FILE".
QString SynopsisOf(const QString& name);
// Throws the usage error that shows the command's synopsis ("usage: kivnvm get S-SS FILE").
[[noreturn]] void ThrowUsageOf(const QString& name);
