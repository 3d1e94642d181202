#include "cli/phonecommands.h"

#include <QRegularExpression>

#include "catalogue/classify.h"
#include "cli/args.h"
#include "cli/console.h"
#include "cli/describe.h"
#include "cli/files.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "transfer/limits.h"
#include "transfer/lzocontainer.h"
#include "ufif/icons.h"
#include "ufif/relocation.h"
#include "ufif/ufifheader.h"

namespace {

struct TListedRow {
  int Row = 0;
  TSectionAddress Address;
  TSlotInfo Info;
  QString Error;  // why the row was not refreshed; empty when it was
};

// What RefreshSection does to one row; the error text when the phone failed.
QString RefreshRow(TPhoneLink& link, bool sizesOnly, TListedRow& row) {
  const int size = link.Size(row.Address);
  if (SizeMeansEmpty(size)) {
    row.Info = EmptySlotInfo(row.Info);
    return {};
  }
  if (size < 0)
    return SizeErrorText(row.Address);
  if (sizesOnly) {
    row.Info = SizeOnlySlotInfo(row.Info, size);
    return {};
  }
  QByteArray head;
  if (link.ReadHead(row.Address, head) < 0)
    return ReadErrorText(row.Address);
  row.Info = ClassifySection(row.Info, size, head);
  return {};
}

// As the full refresh: a failure ends its range, and the rows after it stay unread.
void RefreshRange(TPhoneLink& link, bool sizesOnly, QList<TListedRow>& rows, int first, int count) {
  bool failed = false;
  for (int i = first; i < first + count; ++i) {
    TListedRow& row = rows[i];
    if (failed) {
      row.Error = QStringLiteral("not read");
      continue;
    }
    row.Error = RefreshRow(link, sizesOnly, row);
    if (!row.Error.isEmpty()) {
      PrintErr(row.Error);
      failed = true;
    }
  }
}

QString RowText(const TListedRow& row) {
  const QString caption =
      row.Error.isEmpty() ? row.Info.Caption : QStringLiteral("(%1)").arg(row.Error);
  return QStringLiteral("%1 %2 %3 %4 %5 %6")
      .arg(row.Row, 2)
      .arg(row.Address.Text(), -6)
      .arg(caption, -24)
      .arg(row.Info.Size, 6)
      .arg(RatioText(row.Info), -11)
      .arg(FWLabel(row.Info))
      .remove(QRegularExpression(QStringLiteral("\\s+$")));
}

TJsonLine RowJson(const TListedRow& row) {
  TJsonLine json;
  json.Add(QStringLiteral("row"), qint64(row.Row))
      .Add(QStringLiteral("address"), row.Address.Text());
  AddSlotInfoJson(json, row.Info);
  if (!row.Error.isEmpty())
    json.Add(QStringLiteral("error"), row.Error);
  return json;
}

// 2,048 bytes for a small slot; 65,536 for a big slot and for any section outside the slots.
int SectionLimit(const TSectionAddress& address, const TSlotRanges& ranges) {
  const int row = SlotRow(address.Section, address.SubSection, ranges);
  return row > 0 ? SlotLimit(row, ranges) : BigSlotLimit;
}

// The bytes an upload of the file writes: trimmed (plain uploads only), converted when
// asked and the file is UFIF 2.0, then put in a container when asked.
QByteArray UploadImage(const TArgs& args, const QByteArray& file) {
  const bool compress = args.Has(QStringLiteral("compress"));
  QByteArray image = file;
  if (!compress)
    image.truncate(TrimTrailingNops(image, int(image.size())));
  if (args.Has(QStringLiteral("convert"))) {
    if (IsUFIF20(image)) {
      QByteArray converted = image;
      MarkAsUFIF21(converted);
      const QStringList report = RelocateUFIF20(converted, FirmwareTextFrom(args));
      image = converted;
      for (const QString& line : report)
        PrintOut(line);
    } else {
      PrintErr(QStringLiteral("Not a UFIF 2.0 program: uploaded unchanged"));
    }
  }
  if (!compress)
    return image;
  const quint32 icon = args.Has(QStringLiteral("icon"))
                           ? ParseIconCode(args.Value(QStringLiteral("icon")))
                           : DefaultIconCode;
  QByteArray container = BuildLZOContainer(image, icon);
  if (container.isEmpty())
    throw TCommandFailed(QStringLiteral("The LZO container could not be built"));
  return container;
}

void CheckPutOptions(const TArgs& args) {
  if (args.Has(QStringLiteral("icon")) && !args.Has(QStringLiteral("compress")))
    throw TUsageError(QStringLiteral("--icon goes with --compress"));
  const bool firmwareGiven =
      args.Has(QStringLiteral("firmware")) || args.Has(QStringLiteral("firmware-index"));
  if (firmwareGiven && !args.Has(QStringLiteral("convert")))
    throw TUsageError(QStringLiteral("--firmware and --firmware-index go with --convert"));
  if (args.Has(QStringLiteral("icon")))
    ParseIconCode(args.Value(QStringLiteral("icon")));
  if (args.Has(QStringLiteral("convert")))
    FirmwareTextFrom(args);
}

// The phone's size after the write must match, and so must the bytes read back.
bool WrittenWhole(TPhoneLink& link, const TSectionAddress& address, const QByteArray& bytes) {
  const int size = link.Size(address);
  if (size < 0 && !SizeMeansEmpty(size)) {
    PrintErr(SizeErrorText(address));
    return false;
  }
  if ((SizeMeansEmpty(size) ? 0 : size) != bytes.size())
    return false;
  const TSectionRead back = link.ReadSection(address);
  if (!back.Ok)
    PrintErr(back.Error);
  return back.Ok && back.Bytes == bytes;
}

}  // namespace

int ListCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const bool sizesOnly = args.Has(QStringLiteral("sizes-only"));
  const TSlotRanges& ranges = options.Ranges;
  QList<TListedRow> rows;
  for (int row = 1; row <= ranges.BigSlots + ranges.SmallSlots; ++row)
    rows.append({row, SlotAddress(row, ranges), TSlotInfo(), QString()});
  {
    TPhoneLink link(options.Port, options.PortOrigin);
    RefreshRange(link, sizesOnly, rows, 0, ranges.BigSlots);
    RefreshRange(link, sizesOnly, rows, ranges.BigSlots, ranges.SmallSlots);
  }
  bool allRead = true;
  QList<TJsonLine> json;
  for (const TListedRow& row : rows) {
    allRead = allRead && row.Error.isEmpty();
    if (args.Has(QStringLiteral("json")))
      json << RowJson(row);
    else
      PrintOut(RowText(row));
  }
  if (args.Has(QStringLiteral("json")))
    PrintOut(JsonArrayOfLines(json));
  return allRead ? exitOk : exitFailed;
}

int GetCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const TSectionAddress address = ParseAddressArgument(args.Positional()[0]);
  TSectionRead section;
  {
    TPhoneLink link(options.Port, options.PortOrigin);
    section = link.ReadSection(address);
  }
  if (!section.Ok)
    throw TCommandFailed(section.Error);
  WriteOutputFile(args.Positional()[1], section.Bytes);
  return exitOk;
}

int PutCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const TSectionAddress address = ParseAddressArgument(args.Positional()[0]);
  CheckPutOptions(args);
  const TBoundedBytes file = ReadInputHead(args.Positional()[1], UploadBufferSize);
  const QByteArray image = UploadImage(args, file.Bytes);
  if (file.More || image.size() > SectionLimit(address, options.Ranges))
    throw TCommandFailed(QStringLiteral("Can't uplod - file too big!"));
  TPhoneLink link(options.Port, options.PortOrigin);
  link.Write(address, image);
  if (!WrittenWhole(link, address, image)) {
    throw TCommandFailed(
        QStringLiteral("Section uploaded with error or out of memory!\nTry to upload again or free "
                       "some NVM memory"));
  }
  PrintErr(QStringLiteral("Section uploaded sucsessfully!"));
  return exitOk;
}

int ClearCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const TSectionAddress address = ParseAddressArgument(args.Positional()[0]);
  TPhoneLink link(options.Port, options.PortOrigin);
  link.Clear(address);
  const int size = link.Size(address);
  if (SizeMeansEmpty(size)) {
    PrintErr(QStringLiteral("Erased!"));
    return exitOk;
  }
  if (size < 0)
    throw TCommandFailed(SizeErrorText(address));
  throw TCommandFailed(QStringLiteral("Section %1 still holds %2 bytes after clearing")
                           .arg(address.Text())
                           .arg(size));
}
