#pragma once
// kivnvm history and kivnvm undo: the changes kept before they replaced a section, and
// taking one of them back.

class TArgs;

int HistoryCommand(const TArgs& args);
int UndoCommand(const TArgs& args);
