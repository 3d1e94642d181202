#include "app/forms.h"
#include "app/mainwindow.h"
#include "common/errors.h"
#include "common/modal.h"
#include "ufif/ui/expertsform.h"

void TForm1::Button7Click() {
  SaveSettings();
  TSlotRanges ranges;
  // The dialog refuses unusable ranges before it closes; checked again here so that
  // nothing is taken unless all four fields are.
  if (Modal().ExecDialog(ExpertsForm) == mrOk && ExpertsForm->CheckedRanges(ranges)) {
    SetCurrentSlotRanges(ranges);
    try {
      SaveSettings();
    } catch (const EIniFileException&) {
      // The new ranges are in force: the grid must show them, or its rows would address
      // other sections than the records they show.
      ApplySettings(CurrentSettings());
      throw;
    }
  }
  LoadSettings();
}
