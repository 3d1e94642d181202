#include "cli/filecommands.h"

#include <limits>

#include "catalogue/slotinfo.h"
#include "catalogue/slotmap.h"
#include "cli/args.h"
#include "cli/console.h"
#include "cli/describe.h"
#include "cli/files.h"
#include "cli/options.h"
#include "common/messages.h"
#include "common/texts.h"
#include "libraries/prg3text.h"
#include "transfer/limits.h"
#include "ufif/firmwares.h"
#include "ufif/icons.h"
#include "ufif/lzocontainer.h"
#include "ufif/relocation.h"
#include "ufif/ufifheader.h"

namespace {

// A library text holds at most 512 words, a few kilobytes even with a comment on every
// line; a megabyte is more than any real one.
constexpr qint64 PRG3TextLimit = 1024 * 1024;

// How far inspect counts a stream: far past any slot, and quick to reach on an endless one.
constexpr qint64 InspectCountLimit = 16 * 1024 * 1024;

// Why inspect's description holds for no slot, or empty.
QString InspectNote(const QString& path, const TMeasuredInput& input) {
  if (input.Capped) {
    return TCliText::tr("%1 did not end: counted up to %2 bytes, larger than any slot")
        .arg(InputName(path), QString::number(input.Size));
  }
  if (input.Size > BigSlotLimit) {
    return TCliText::tr("%1 bytes, larger than any slot (at most %2)")
        .arg(input.Size)
        .arg(BigSlotLimit);
  }
  return {};
}

}  // namespace

// Recognition needs only the first bytes and the size, so a file of any size is described.
int InspectCommand(const TArgs& args) {
  const QString path = args.Positional()[0];
  const TMeasuredInput input = MeasureInput(path, RecognitionBytes, InspectCountLimit);
  const TSlotInfo info = DescribeBytes(
      input.Head, qint32(qMin<qint64>(input.Size, std::numeric_limits<qint32>::max())));
  if (args.Has(QStringLiteral("json"))) {
    TJsonLine json;
    AddSlotInfoJson(json, info);
    const QString note = InspectNote(path, input);
    if (!note.isEmpty())
      json.Add(QStringLiteral("note"), note);
    PrintOut(json.Text());
  } else {
    for (const QString& line : SlotInfoText(info))
      PrintOut(line);
    const QString note = InspectNote(path, input);
    if (!note.isEmpty())
      PrintOut(TCliText::tr("Note: %1").arg(note));
  }
  return exitOk;
}

int PackCommand(const TArgs& args) {
  const quint32 icon = args.Has(QStringLiteral("icon"))
                           ? ParseIconCode(args.Value(QStringLiteral("icon")))
                           : DefaultIconCode;
  const QByteArray data = ReadWholeFile(args.Positional()[0], UploadBufferSize);
  const QByteArray container = BuildLZOContainer(data, icon);
  if (container.isEmpty())
    throw TCommandFailed(TCliText::tr("The LZO container could not be built"));
  if (container.size() > BigSlotLimit) {
    throw TCommandFailed(TCliText::tr("The container takes %1 bytes; a section takes at most %2")
                             .arg(container.size())
                             .arg(BigSlotLimit));
  }
  WriteOutputFile(args.Positional()[1], container);
  return exitOk;
}

int UnpackCommand(const TArgs& args) {
  const QByteArray container = ReadWholeFile(args.Positional()[0], UploadBufferSize);
  const TUnpacked unpacked = UnpackLZOContainer(container);
  if (!unpacked.Ok())
    throw TCommandFailed(unpacked.Problem);
  WriteOutputFile(args.Positional()[1], unpacked.Original);
  return exitOk;
}

int ConvertCommand(const TArgs& args) {
  const QString firmware = FirmwareTextFrom(args);
  const QString inPath = args.Positional()[0];
  QByteArray image = ReadWholeFile(inPath, UploadBufferSize);
  QStringList report;
  if (IsUFIF20(image)) {
    QByteArray marked = image;
    MarkAsUFIF21(marked);
    report = RelocateUFIF20(marked, firmware);
    image = marked;
  } else {
    throw TCommandFailed(
        TCliText::tr("%1 is not a UFIF 2.0 program: nothing converted, nothing written")
            .arg(InputName(inPath)));
  }
  const QString outPath = args.Positional()[1];
  WriteOutputFile(outPath, image);
  // The report must not mix with the image when the image goes to standard output.
  for (const QString& line : report)
    IsStandardStream(outPath) ? PrintErr(line) : PrintOut(line);
  return exitOk;
}

int PRG3Command(const TArgs& args) {
  const QString textPath = args.Positional()[0];
  const QStringList lines = SplitTextLines(ReadWholeFile(textPath, PRG3TextLimit));
  const TPRG3Image library = PRG3ImageFromLines(lines);
  if (library.TooBig)
    throw TCommandFailed(LibraryTooBigText());
  for (const int number : PRG3IgnoredLines(lines)) {
    //: %3 is the line as it stands in the file.
    PrintErr(TCliText::tr("%1: line %2 ignored, it gives no word: %3")
                 .arg(InputName(textPath), QString::number(number), lines[number - 1]));
  }
  WriteOutputFile(args.Positional()[1], library.Image);
  return exitOk;
}

int FirmwaresCommand(const TArgs&) {
  const QStringList& table = FirmwareTable();
  for (int index = 0; index < table.size(); ++index)
    PrintOut(QStringLiteral("%1  %2").arg(index).arg(table[index]));
  return exitOk;
}
