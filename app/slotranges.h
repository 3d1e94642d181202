#pragma once
// The slot ranges in force: process-wide settings, stored in the settings file, which the
// window's rows, commands and drawing all read.

#include "catalogue/slotmap.h"

TSlotRanges CurrentSlotRanges();
void SetCurrentSlotRanges(const TSlotRanges& ranges);
