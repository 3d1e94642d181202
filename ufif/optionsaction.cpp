#include "app/forms.h"
#include "app/mainwindow.h"
#include "common/modal.h"
#include "ufif/expertsform.h"

void TForm1::Button7Click() {
  SaveSettings();
  if (Modal().ExecDialog(ExpertsForm) == mrOk) {
    TSlotRanges ranges;
    // The dialog refuses unusable ranges before it closes; checked again here so that
    // nothing is taken unless all four fields are.
    if (ExpertsForm->CheckedRanges(ranges)) {
      SetCurrentSlotRanges(ranges);
      SaveSettings();
    }
  }
  LoadSettings();
}
