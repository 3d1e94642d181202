#pragma once
// kivnvm demo DIR: a phone on COM1 of the virtual phone's store DIR, filled with a varied,
// synthetic set of sections.

class TArgs;

int DemoCommand(const TArgs& args);
