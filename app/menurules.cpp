#include "app/menurules.h"

#include "ufif/ufifheader.h"

TMenuState MenuStateFor(const TSlotInfo& slot) {
  TMenuState state;
  switch (slot.Kind) {
    case skEmpty:
      state.Refresh = state.Upload = state.UploadLZO = true;
      break;
    case skProgram:
      state.Refresh = state.Clear = state.Upload = state.UploadLZO = state.Download = true;
      // Only a UFIF 2.0 program can be converted in place.
      state.Convert = slot.FormatTag == UFIF20Tag;
      break;
    case skGIF:
      state.Refresh = state.Clear = state.Upload = state.UploadLZO = state.Download = true;
      state.PlayGIF = true;
      break;
    case skOther:
      state.Refresh = state.Clear = state.Upload = state.UploadLZO = state.Download = true;
      break;
  }
  return state;
}
