#pragma once
// Commands that talk to the phone through the phone-link library, one section or all the
// configured slots at a time.

class TArgs;
struct TSectionAddress;
struct TSlotRanges;

// Refuses a section outside the configured slots and the library and preferences
// sections, where the window writes, unless --force is given.
void CheckWritable(const TSectionAddress& address, const TSlotRanges& ranges, const TArgs& args);

int ListCommand(const TArgs& args);
int GetCommand(const TArgs& args);
int PutCommand(const TArgs& args);
int ClearCommand(const TArgs& args);
