#include "app/menurules.h"

TMenuState MenuStateFor(const TSlotInfo& slot) {
  TMenuState state;
  switch (slot.Kind) {
    case skEmpty:
      state.Refresh = state.Upload = state.UploadLZO = true;
      break;
    case skProgram:
      state.Refresh = state.Clear = state.Upload = state.UploadLZO = state.Download = true;
      state.Convert = slot.FormatTag == ConvertibleFormatTag;
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
