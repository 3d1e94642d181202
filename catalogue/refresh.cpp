#include <QByteArray>

#include "app/busycursor.h"
#include "app/mainwindow.h"
#include "catalogue/classify.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "ui_mainwindow.h"

int TForm1::RefreshSection(int section, int subsection) {
  const int row = SlotRow(section, subsection, CurrentSlotRanges());
  const QString address = TSectionAddress{section, subsection}.Text();
  SetStatusText(QStringLiteral("Refreshing section ") + address + QStringLiteral("..."));
  NVM->SetSect(section);
  NVM->SetSSect(subsection);
  const int size = NVM->GetSize();
  if (size < 0 && !SizeMeansEmpty(size)) {
    Modal().ShowMessage(
        this, QStringLiteral("Error getting section ") + address + QStringLiteral(" size"),
        QStringLiteral("ERROR"));
    return size;
  }
  TSlotInfo& record = Slots.at(row);
  if (SizeMeansEmpty(size)) {
    record = EmptySlotInfo(record);
    return 0;
  }
  if (!ui->CheckBox1->isChecked()) {
    record = SizeOnlySlotInfo(record, size);
    return size;
  }
  QByteArray buffer(RecognitionBytes, '\0');
  const int bytesRead = NVM->Read(buffer.data(), RecognitionBytes);
  if (bytesRead < 0) {
    Modal().ShowMessage(this, QStringLiteral("Error reading section ") + address,
                        QStringLiteral("ERROR"));
    return bytesRead;
  }
  record = ClassifySection(record, size, buffer.left(qMin(bytesRead, RecognitionBytes)));
  return size;
}

// Refreshes one range of slots; a failure skips the rest of the range.
void TForm1::RefreshRange(int section, int firstSubsection, int count) {
  for (int subsection = firstSubsection; subsection < firstSubsection + count; ++subsection) {
    if (RefreshSection(section, subsection) < 0)
      return;
    RepaintGrid();
  }
}

void TForm1::Button1Click() {
  const TBusyCursor busy;
  if (!NVM->InitGBP())
    return;
  const TSlotRanges ranges = CurrentSlotRanges();
  RefreshRange(BigSlotSection, ranges.FirstBig, ranges.BigSlots);
  RefreshRange(SmallSlotSection, ranges.FirstSmall, ranges.SmallSlots);
  RepaintGrid();
  NVM->EndGBP();
  SetStatusText(QStringLiteral("Updated!"));
  Modal().ShowMessage(this, QStringLiteral("Update done!"), QString());
}

void TForm1::RefreshActionExecute() {
  const TSectionAddress address = CurrentSlotAddress();
  const TBusyCursor busy;
  if (!NVM->InitGBP())
    return;
  RefreshSection(address.Section, address.SubSection);
  NVM->EndGBP();
  RepaintGrid();
  SetStatusText(QStringLiteral("Refreshed!"));
}
