#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "app/mainwindow.h"
#include "app/placement.h"
#include "common/errors.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "settings/ui/expertsform.h"
#include "ui_mainwindow.h"

namespace {

bool SameRanges(const TSlotRanges& a, const TSlotRanges& b) {
  return a.FirstBig == b.FirstBig && a.BigSlots == b.BigSlots && a.FirstSmall == b.FirstSmall &&
         a.SmallSlots == b.SmallSlots;
}

QList<QRect> ScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens())
    areas << screen->availableGeometry();
  return areas;
}

}  // namespace

QString TForm1::SettingsPath() const {
  return settingsPath_;
}

TManagerSettings TForm1::CurrentSettings() const {
  TManagerSettings settings;
  // Position of the frame, size of the client area: what move() and resize() take back.
  settings.Top = y();
  settings.Left = x();
  settings.Width = width();
  settings.Height = height();
  settings.COMPort = ui->ComboBox1->currentIndex();
  settings.Ranges = CurrentSlotRanges();
  settings.UFIFFW = dialogs_.Experts ? dialogs_.Experts->FirmwareIndex() : loadedFirmware_;
  return settings;
}

void TForm1::ApplySettings(const TManagerSettings& settings) {
  // A placement stored on a screen that is gone would hide the window.
  const QRect stored(settings.Left, settings.Top, settings.Width, settings.Height);
  move(PlacedOnScreens(stored, ScreenAreas()).topLeft());
  resize(settings.Width, settings.Height);
  ui->ComboBox1->setCurrentIndex(settings.COMPort);
  NVM->SetCOMPort(TNVMSection::TNVMCOMPortName(ui->ComboBox1->currentIndex()));
  SetCurrentSlotRanges(settings.Ranges);
  loadedFirmware_ = settings.UFIFFW;
  if (dialogs_.Experts)
    dialogs_.Experts->SetFirmwareIndex(settings.UFIFFW);
  FormResize();
  ui->DrawGrid1->SetRowCount(settings.Ranges.BigSlots + settings.Ranges.SmallSlots + 1);
  // A row's record stays true while the row names the same section; new ranges rename them.
  if (!recordedRanges_ || !SameRanges(*recordedRanges_, settings.Ranges)) {
    Slots.fill(TSlotInfo{});
    recordedRanges_ = settings.Ranges;
  }
  RepaintGrid();
  FillOptionsDialog(settings);
}

void TForm1::FillOptionsDialog(const TManagerSettings& settings) {
  if (dialogs_.Experts)
    dialogs_.Experts->SetRangeFields(FieldsForRanges(settings.Ranges));
}

void TForm1::LoadSettings() {
  ApplySettings(ReadSettingsFile(SettingsPath()));
}

void TForm1::SaveSettings() {
  WriteSettingsFile(SettingsPath(), CurrentSettings());
}

void TForm1::FormShow() {
  LoadSettings();
}

// A settings file that cannot be written must not keep the user from closing the manager:
// the error is shown and the window closes all the same.
void TForm1::FormClose() {
  GuardCommand([this] { SaveSettings(); });
}

void TForm1::Button7Click() {
  SaveSettings();
  TSlotRanges ranges;
  // The dialog refuses unusable ranges before it closes; checked again here so that
  // nothing is taken unless all four fields are.
  if (Modal().ExecDialog(dialogs_.Experts) == mrOk && dialogs_.Experts->CheckedRanges(ranges)) {
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
