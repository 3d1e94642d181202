#include "catalogue/ops/refreshslots.h"

#include <QByteArray>

#include "catalogue/classify.h"
#include "common/messages.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "link/phoneport.h"

namespace {

TRefreshResult Failure(int code, const QString& error, TReporter& reporter) {
  reporter.Error(error);
  return {code, error};
}

// One range in the open link; false when a failure ended it or the user cancelled.
bool RefreshRange(TPhonePort& port, TCatalogue& catalogue, int section, int first, int count,
                  TReporter& reporter, TSlotsRefreshed& outcome) {
  for (int subsection = first; subsection < first + count; ++subsection) {
    const TSectionAddress address{section, subsection};
    const int row = SlotRow(section, subsection, catalogue.Ranges);
    if (reporter.CancelRequested()) {
      outcome.Cancelled = true;
      return false;
    }
    reporter.Progress(row, int(outcome.Rows.size()), address, 0);
    const TRefreshResult result = RefreshSection(port, catalogue, address, reporter);
    outcome.Rows[row - 1] = result;
    if (!result.Ok())
      return false;
  }
  return true;
}

// A row not reached keeps what an earlier refresh showed; one never read says so instead of
// showing an empty row of size 0.
void MarkNeverRead(TCatalogue& catalogue, const TSlotsRefreshed& outcome, TReporter& reporter) {
  for (int row = 1; row <= outcome.Rows.size(); ++row) {
    TSlotInfo& record = catalogue.Slots.at(row);
    if (!outcome.Rows[row - 1] && record == TSlotInfo()) {
      record = NotReadSlotInfo(record, 0);
      reporter.RowChanged(row);
    }
  }
}

}  // namespace

int TRefreshResult::Held() const {
  return Ok() && SizeMeansEmpty(Size) ? 0 : Size;
}

TRefreshResult RefreshSection(TPhonePort& port, TCatalogue& catalogue,
                              const TSectionAddress& address, TReporter& reporter) {
  const int row = SlotRow(address.Section, address.SubSection, catalogue.Ranges);
  reporter.Status(TCatalogueText::tr("Refreshing section %1...").arg(address.Text()));
  const int size = port.GetSize(address);
  if (size < 0 && !SizeMeansEmpty(size))
    return Failure(size, SizeErrorText(address), reporter);
  TSlotInfo& record = catalogue.Slots.at(row);
  if (SizeMeansEmpty(size)) {
    record = EmptySlotInfo(record);
    reporter.RowChanged(row);
    return {size, {}};
  }
  if (!catalogue.AdditionalInfo) {
    record = SizeOnlySlotInfo(record, size);
    reporter.RowChanged(row);
    return {size, {}};
  }
  QByteArray buffer(RecognitionBytes, '\0');
  const int bytesRead = port.Read(address, buffer.data(), RecognitionBytes);
  if (bytesRead < 0)
    return Failure(bytesRead, ReadErrorText(address), reporter);
  // Fewer bytes than the section holds would be recognised as something else (no bytes at
  // all as a ringer): the row says it was not read, and the read counts as failed.
  if (bytesRead < qMin(size, RecognitionBytes)) {
    record = NotReadSlotInfo(record, size);
    reporter.RowChanged(row);
    return Failure(size, ReadErrorText(address), reporter);
  }
  record = ClassifySection(record, size, buffer.left(qMin(bytesRead, RecognitionBytes)));
  reporter.RowChanged(row);
  return {size, {}};
}

TRefreshOutcome RefreshSlot(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& address,
                            TReporter& reporter) {
  const TLinkSession link(port);
  if (!link.IsOpen())
    return {};
  return {true, RefreshSection(port, catalogue, address, reporter)};
}

TSlotsRefreshed RefreshAllSlots(TPhonePort& port, TCatalogue& catalogue, TReporter& reporter) {
  TSlotsRefreshed outcome;
  const TLinkSession link(port);
  outcome.LinkOpened = link.IsOpen();
  if (!outcome.LinkOpened)
    return outcome;
  const TSlotRanges& ranges = catalogue.Ranges;
  outcome.Rows.resize(ranges.BigSlots + ranges.SmallSlots);
  RefreshRange(port, catalogue, BigSlotSection, ranges.FirstBig, ranges.BigSlots, reporter,
               outcome);
  // A link lost in the first range would only fail the second one's first section too.
  if (!outcome.Cancelled && port.LinkLost().isEmpty())
    RefreshRange(port, catalogue, SmallSlotSection, ranges.FirstSmall, ranges.SmallSlots, reporter,
                 outcome);
  MarkNeverRead(catalogue, outcome, reporter);
  return outcome;
}
