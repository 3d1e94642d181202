#pragma once
// kivnvm demo [--force] DIR: a phone on COM1 of the virtual phone's store DIR, filled with a
// varied, synthetic set of sections; --force replaces a phone already there.

class TArgs;

int DemoCommand(const TArgs& args);
