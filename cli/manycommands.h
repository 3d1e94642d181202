#pragma once
// The phone commands over many slots: get --all / --into, clear of several sections and
// put --into-free. Given one slot, get, clear and put stay the commands they were.

class TArgs;

int GetAnyCommand(const TArgs& args);
int ClearAnyCommand(const TArgs& args);
int PutAnyCommand(const TArgs& args);
