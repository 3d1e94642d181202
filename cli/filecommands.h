#pragma once
// Offline commands over files: the second, exact interface to the format rules.

class TArgs;

int InspectCommand(const TArgs& args);
int PackCommand(const TArgs& args);
int UnpackCommand(const TArgs& args);
int ConvertCommand(const TArgs& args);
int PRG3Command(const TArgs& args);
// The firmware table with the indexes --firmware-index takes.
int FirmwaresCommand(const TArgs& args);
