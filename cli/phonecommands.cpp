#include "cli/phonecommands.h"

#include <QRegularExpression>

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "catalogue/ops/refreshslots.h"
#include "cli/args.h"
#include "cli/clifaces.h"
#include "cli/console.h"
#include "cli/describe.h"
#include "cli/files.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "cli/transferclock.h"
#include "common/messages.h"
#include "common/texts.h"
#include "transfer/limits.h"
#include "transfer/ops/upload.h"
#include "ufif/icons.h"
#include "ufif/ufifheader.h"

namespace {

struct TListedRow {
  int Row = 0;
  TSectionAddress Address;
  TSlotInfo Info;
  QString Error;  // why the row was not refreshed; empty when it was
  QString FW;     // the FW column: nothing without the reads that tell a program's format
};

// The rows as a full refresh left them: a failure names its row, and the rows after it in
// its range are marked unread.
QList<TListedRow> ListedRows(const TCatalogue& catalogue, const TSlotsRefreshed& refreshed) {
  QList<TListedRow> rows;
  for (int row = 1; row <= refreshed.Rows.size(); ++row) {
    const std::optional<TRefreshResult>& result = refreshed.Rows[row - 1];
    const QString error = !result ? TCliText::tr("not read") : result->Error;
    const TSlotInfo& info = catalogue.Slots.at(row);
    rows.append({row, SlotAddress(row, catalogue.Ranges), info, error,
                 catalogue.AdditionalInfo ? FWLabel(info) : QString()});
  }
  return rows;
}

QString CaptionText(const TListedRow& row) {
  if (row.Error.isEmpty() || IsNotRead(row.Info))
    return ShownCaption(row.Info);
  return QStringLiteral("(%1)").arg(row.Error);
}

// The caption column is as wide as the widest caption, measured as a terminal shows it.
int CaptionColumn(const QList<TListedRow>& rows) {
  int width = 24;
  for (const TListedRow& row : rows)
    width = qMax(width, DisplayWidth(CaptionText(row)));
  return width;
}

QString RowText(const TListedRow& row, int captionColumn) {
  return QStringLiteral("%1 %2 %3 %4 %5 %6")
      .arg(row.Row, 2)
      .arg(row.Address.Text(), -6)
      .arg(PadToWidth(CaptionText(row), captionColumn))
      .arg(row.Info.Size, 6)
      .arg(RatioText(row.Info), -11)
      .arg(row.FW)
      .remove(QRegularExpression(QStringLiteral("\\s+$")));
}

TJsonLine RowJson(const TListedRow& row) {
  TJsonLine json;
  json.Add(QStringLiteral("row"), qint64(row.Row))
      .Add(QStringLiteral("address"), row.Address.Text());
  AddSlotInfoJson(json, row.Info, row.FW);
  if (!row.Error.isEmpty())
    json.Add(QStringLiteral("error"), row.Error);
  return json;
}

void CheckPutOptions(const TArgs& args) {
  if (args.Has(QStringLiteral("icon")) && !args.Has(QStringLiteral("compress")))
    throw TUsageError(TCliText::tr("--icon goes with --compress"));
  const bool firmwareGiven =
      args.Has(QStringLiteral("firmware")) || args.Has(QStringLiteral("firmware-index"));
  if (firmwareGiven && !args.Has(QStringLiteral("convert")))
    throw TUsageError(TCliText::tr("--firmware and --firmware-index go with --convert"));
  if (args.Has(QStringLiteral("icon")))
    ParseIconCode(args.Value(QStringLiteral("icon")));
  if (args.Has(QStringLiteral("convert")))
    FirmwareTextFrom(args);
}

// "18-9..18-29": a slot range; empty when it holds no slot.
QString RangeText(int section, int first, int count) {
  if (count <= 0)
    return {};
  const TSectionAddress from{section, first};
  const TSectionAddress to{section, first + count - 1};
  return count == 1 ? from.Text() : from.Text() + QStringLiteral("..") + to.Text();
}

// The slot table a phone command refreshes its rows into.
struct TCliCatalogue {
  explicit TCliCatalogue(const TSlotRanges& ranges, bool additionalInfo = true)
      : Catalogue{Slots, ranges, additionalInfo} {}
  TSlotTable Slots{};
  TCatalogue Catalogue;
};

}  // namespace

// The window writes only the slots, the two libraries and the preferences record; anywhere
// else a phone keeps its own data, so kivnvm goes there only when told to with --force.
void CheckWritable(const TSectionAddress& address, const TSlotRanges& ranges, const TArgs& args) {
  const QList<TSectionAddress> fixed{{PRG3LibrarySection, PRG3LibrarySubSection},
                                     {DefaultLibrarySection, DefaultLibrarySubSection},
                                     {PrefSection, PrefSubSection}};
  if (args.Has(QStringLiteral("force")) || SlotAddresses(ranges).contains(address) ||
      fixed.contains(address))
    return;
  QStringList allowed{RangeText(BigSlotSection, ranges.FirstBig, ranges.BigSlots),
                      RangeText(SmallSlotSection, ranges.FirstSmall, ranges.SmallSlots)};
  for (const TSectionAddress& section : fixed)
    allowed << section.Text();
  allowed.removeAll(QString());
  throw TCommandFailed(
      //: %2 lists the writable sections: "18-9..18-29, 2-10..2-14, 2-16, 2-17, 2-18".
      TCliText::tr("Section %1 is neither a slot nor a library or preferences section, so the "
                   "phone may keep its own data there; kivnvm writes only %2. Give --force "
                   "to write it anyway.")
          .arg(address.Text(), allowed.join(QStringLiteral(", "))));
}

int ListCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  TCliCatalogue catalogue(options.Ranges, !args.Has(QStringLiteral("sizes-only")));
  TPhoneLink link(options);
  TCliReporter reporter(false);
  const TSlotsRefreshed refreshed = RefreshAllSlots(link, catalogue.Catalogue, reporter);
  if (!refreshed.LinkOpened)
    throw TCommandFailed(link.OpenError());
  bool allRead = true;
  QList<TJsonLine> json;
  const QList<TListedRow> rows = ListedRows(catalogue.Catalogue, refreshed);
  const int captionColumn = CaptionColumn(rows);
  for (const TListedRow& row : rows) {
    allRead = allRead && row.Error.isEmpty();
    if (args.Has(QStringLiteral("json")))
      json << RowJson(row);
    else
      PrintOut(RowText(row, captionColumn));
  }
  if (args.Has(QStringLiteral("json")))
    PrintOut(JsonArrayOfLines(json));
  return StatusOf(allRead);
}

int GetCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const TSectionAddress address = ParseAddressArgument(args.Positional()[0]);
  TSectionRead section;
  {
    TPhoneLink link(options);
    TCommandLink open(link);
    TTransferClock clock(TTransferClock::WhenFor(args.Has(QStringLiteral("progress"))),
                         TCliText::tr("reading %1").arg(address.Text()),
                         TCliText::tr("read %1").arg(address.Text()));
    section = ReadWholeSection(link, address, UploadBufferSize);
    clock.SetBytes(section.Bytes.size());
  }
  // A size answer of -5 tells nothing of what the section holds: an empty file would lie.
  if (section.State != TSectionRead::Held && section.State != TSectionRead::Empty)
    throw TCommandFailed(WholeReadProblem(section, address));
  WriteOutputFile(args.Positional()[1], section.Bytes);
  return exitOk;
}

int PutCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const TSectionAddress address = ParseAddressArgument(args.Positional()[0]);
  CheckPutOptions(args);
  CheckWritable(address, options.Ranges, args);
  const TBoundedBytes file = ReadInputHead(args.Positional()[1], UploadBufferSize);
  const TUploadRequest request{address,
                               {file.Bytes, file.More},
                               args.Has(QStringLiteral("compress")),
                               TWriteCheck::ByReadBack,
                               options.History};
  if (args.Has(QStringLiteral("convert")) && !IsUFIF20(request.File.Data))
    PrintErr(TCliText::tr("Not a UFIF 2.0 program: uploaded unchanged"));
  TCliCatalogue catalogue(options.Ranges);
  TPhoneLink link(options);
  TCliReporter reporter(false);
  TCliInteraction interaction(args);
  TUploadResult result;
  {
    TTransferClock clock(TTransferClock::WhenFor(args.Has(QStringLiteral("progress"))),
                         TCliText::tr("writing %1").arg(address.Text()),
                         TCliText::tr("wrote and checked %1").arg(address.Text()));
    result = Upload(link, catalogue.Catalogue, request, interaction, reporter);
    clock.SetBytes(result.Written() ? result.Write.Refresh.Size : -1);
  }
  if (result.Stage == TUploadResult::NoContainer)
    throw TCommandFailed(TCliText::tr("The LZO container could not be built"));
  if (result.Stage == TUploadResult::Sent && !result.Write.LinkOpened)
    throw TCommandFailed(link.OpenError());
  PrintNotKept(result.NotKept);
  if (result.Stage == TUploadResult::Sent && !result.Write.Whole)
    PrintErr(TCliText::tr("Section %1: %2").arg(address.Text(), result.Write.Problem));
  if (result.Written() && request.Compressed && result.Write.Refresh.Size > file.Bytes.size()) {
    PrintErr(TCliText::tr("The LZO container takes %1 bytes, more than the %2 of the file: its "
                          "data does not compress")
                 .arg(result.Write.Refresh.Size)
                 .arg(file.Bytes.size()));
  }
  return StatusOf(result.Written());
}

int ClearCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const TSectionAddress address = ParseAddressArgument(args.Positional()[0]);
  CheckWritable(address, options.Ranges, args);
  TCliCatalogue catalogue(options.Ranges);
  TPhoneLink link(options);
  TCliReporter reporter(false);
  const TClearOutcome outcome =
      ClearSection(link, catalogue.Catalogue, address, options.History, reporter);
  if (!outcome.LinkOpened)
    throw TCommandFailed(link.OpenError());
  PrintNotKept(outcome.NotKept);
  if (!outcome.Cleared())
    throw TCommandFailed(ClearProblem(address, outcome));
  PrintErr(TCliText::tr("Erased!"));
  return exitOk;
}
