#pragma once
// Which commands of the grid's context menu fit a slot, from what its last refresh recorded.

#include "catalogue/slotinfo.h"

struct TMenuState {
  bool Refresh = false;
  bool Clear = false;
  bool Upload = false;
  bool UploadLZO = false;
  bool PlayGIF = false;
  bool Download = false;
  bool Convert = false;

  friend bool operator==(const TMenuState& a, const TMenuState& b) {
    return a.Refresh == b.Refresh && a.Clear == b.Clear && a.Upload == b.Upload &&
           a.UploadLZO == b.UploadLZO && a.PlayGIF == b.PlayGIF && a.Download == b.Download &&
           a.Convert == b.Convert;
  }
};

TMenuState MenuStateFor(const TSlotInfo& slot);
