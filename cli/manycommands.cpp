#include "cli/manycommands.h"

#include <QFileInfo>

#include "catalogue/gridtext.h"
#include "cli/args.h"
#include "cli/clifaces.h"
#include "cli/console.h"
#include "cli/files.h"
#include "cli/help.h"
#include "cli/options.h"
#include "cli/phonecommands.h"
#include "cli/phonelink.h"
#include "common/texts.h"
#include "transfer/limits.h"
#include "transfer/manyslots.h"
#include "transfer/ops/manyslots.h"

namespace {

const QString AllOption = QStringLiteral("all");
const QString IntoOption = QStringLiteral("into");
const QString IntoFreeOption = QStringLiteral("into-free");

struct TCliSlots {
  explicit TCliSlots(const TSlotRanges& ranges) : Catalogue{Slots, ranges, true} {}
  TSlotTable Slots{};
  TCatalogue Catalogue;
};

QList<TSectionAddress> AddressesOf(const QStringList& texts) {
  QList<TSectionAddress> addresses;
  for (const QString& text : texts) {
    const TSectionAddress address = ParseAddressArgument(text);
    if (!addresses.contains(address))
      addresses << address;
  }
  return addresses;
}

// The summary on stderr; the exit status says whether every slot was done or skipped.
int Finish(const TManyResult& result, TPhoneLink& link) {
  if (!result.LinkOpened)
    throw TCommandFailed(link.OpenError());
  PrintNotKept(result.NotKept);
  for (const TSlotWork& slot : result.Slots) {
    if (slot.State == TSlotWork::Skipped && !slot.File.isEmpty())
      //: %1 is the section, %2 the file.
      PrintErr(TCliText::tr("%1: %2 exists, left as it is (--replace replaces it)")
                   .arg(slot.Address.Text(), slot.File));
  }
  for (const QString& line : result.Summary())
    PrintErr(line);
  const bool whole =
      result.Count(TSlotWork::Failed) == 0 && result.Count(TSlotWork::NotReached) == 0;
  return StatusOf(whole);
}

int GetManyCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  QString dir;
  QList<TSectionAddress> addresses;
  if (args.Has(AllOption)) {
    if (args.Has(IntoOption) || args.Positional().size() != 1)
      throw TUsageError(TCliText::tr("get --all takes one folder and no sections"));
    dir = args.Positional().first();
    addresses = SlotAddresses(options.Ranges);
  } else {
    if (args.Positional().isEmpty())
      throw TUsageError(TCliText::tr("get --into DIR takes the sections to save"));
    dir = args.Value(IntoOption);
    addresses = AddressesOf(args.Positional());
  }
  TPhoneLink link(options);
  TCliReporter reporter(options.Progress);
  TCliInteraction interaction(args);
  return Finish(DownloadSlots(link, addresses, dir, interaction, reporter), link);
}

QString PlanLine(const TPlannedUpload& item, const TUploadPlan& plan, const TSlotRanges& ranges) {
  QStringList notes;
  if (item.Holds.Kind == skEmpty) {
    notes << TCliText::tr("free");
  } else {
    //: What the slot holds now: "replaces Calculator (UFIF 2.1)".
    notes << TCliText::tr("replaces %1").arg(SlotDescription(item.Holds));
  }
  if (item.Compressed)
    notes << TCliText::tr("compressed");
  if (item.UFIF20)
    notes << (plan.Convert ? TCliText::tr("UFIF 2.0, converted for %1").arg(plan.Firmware)
                           : TCliText::tr("UFIF 2.0, not converted"));
  if (item.TooBig)
    notes << TooBigForSlotText(item.File.TooLong ? qint64(UploadBufferSize) + 1 : item.Size,
                               SectionLimit(item.Target, ranges),
                               item.Compressed && !item.File.TooLong);
  return QStringLiteral("%1 -> %2 (%3)")
      .arg(item.FileName, item.Target.Text(), notes.join(QStringLiteral("; ")));
}

int PutIntoFreeCommand(const TArgs& args) {
  if (args.Positional().isEmpty())
    throw TUsageError(TCliText::tr("put --into-free takes the files to upload"));
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  int startRow = 1;
  if (args.Has(QStringLiteral("from"))) {
    const TSectionAddress from = ParseAddressArgument(args.Value(QStringLiteral("from")));
    startRow = SlotRow(from.Section, from.SubSection, options.Ranges);
    if (startRow == 0)
      throw TUsageError(TCliText::tr("--from %1 is not a slot").arg(from.Text()));
  }
  QList<TPlannedUpload> files;
  for (const QString& name : args.Positional()) {
    const TBoundedBytes file = ReadInputHead(name, UploadBufferSize);
    TPlannedUpload item;
    item.FileName = name;
    item.File = {file.Bytes, file.More};
    item.Compressed = args.Has(QStringLiteral("compress"));
    files << item;
  }
  TCliSlots phone(options.Ranges);
  TPhoneLink link(options);
  TCliReporter reporter(options.Progress);
  if (!RefreshAllSlots(link, phone.Catalogue, reporter).LinkOpened)
    throw TCommandFailed(link.OpenError());
  QStringList overflow;
  TUploadPlan plan = PlanUploads(files, phone.Catalogue, startRow, overflow);
  TCliInteraction interaction(args);
  plan.Convert = args.Has(QStringLiteral("convert"));
  plan.Firmware = interaction.FirmwareText();
  plan.Check = TWriteCheck::ByReadBack;
  plan.History = options.History;
  for (const TPlannedUpload& item : plan.Items)
    PrintOut(PlanLine(item, plan, options.Ranges));
  for (const QString& name : overflow)
    PrintOut(TCliText::tr("%1 -> no free slot left").arg(name));
  if (args.Has(QStringLiteral("dry-run")))
    return StatusOf(overflow.isEmpty());
  const int status =
      Finish(RunUploadPlan(link, phone.Catalogue, plan, interaction, reporter), link);
  return StatusOf(overflow.isEmpty() && status == exitOk);
}

int ClearManyCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const QList<TSectionAddress> addresses = AddressesOf(args.Positional());
  for (const TSectionAddress& address : addresses)
    CheckWritable(address, options.Ranges, args);
  TCliSlots phone(options.Ranges);
  TPhoneLink link(options);
  TCliReporter reporter(options.Progress);
  return Finish(ClearSlots(link, phone.Catalogue, addresses, options.History, reporter), link);
}

}  // namespace

int GetAnyCommand(const TArgs& args) {
  if (args.Has(AllOption) || args.Has(IntoOption))
    return GetManyCommand(args);
  if (args.Positional().size() != 2)
    ThrowUsageOf(QStringLiteral("get"));
  return GetCommand(args);
}

int ClearAnyCommand(const TArgs& args) {
  if (args.Positional().size() > 1)
    return ClearManyCommand(args);
  if (args.Positional().size() != 1)
    ThrowUsageOf(QStringLiteral("clear"));
  return ClearCommand(args);
}

int PutAnyCommand(const TArgs& args) {
  if (args.Has(IntoFreeOption))
    return PutIntoFreeCommand(args);
  if (args.Has(QStringLiteral("dry-run")) || args.Has(QStringLiteral("from")))
    throw TUsageError(TCliText::tr("--dry-run and --from go with --into-free"));
  if (args.Positional().size() != 2)
    ThrowUsageOf(QStringLiteral("put"));
  return PutCommand(args);
}
