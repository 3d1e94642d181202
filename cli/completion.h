#pragma once
// kivnvm's bash completion, made from the command table when kivnvm is built.

#include <QString>

// The completion script: commands, each command's options, the values of the options that
// have a known set, and files or folders for the rest.
QString BashCompletion();
