#pragma once
// Commands that talk to the phone through the phone-link library, one section or all the
// configured slots at a time.

class TArgs;

int ListCommand(const TArgs& args);
int GetCommand(const TArgs& args);
int PutCommand(const TArgs& args);
int ClearCommand(const TArgs& args);
