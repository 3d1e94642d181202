#pragma once
// "kivnvm link --find [DEVICE...]": which serial device is the cable, tried one after another
// behind the command's COM port; nothing is written.

class TArgs;
struct TPhoneOptions;

int FindPhoneCommand(const TArgs& args, const TPhoneOptions& options);
