#include "cli/filecommands.h"

#include <limits>

#include "cli/args.h"
#include "cli/console.h"
#include "cli/describe.h"
#include "cli/files.h"
#include "cli/options.h"
#include "libraries/prg3text.h"
#include "transfer/limits.h"
#include "transfer/lzocontainer.h"
#include "ufif/icons.h"
#include "ufif/relocation.h"
#include "ufif/ufifheader.h"

namespace {

// The most an upload reads of a file: a section holds no more.
QByteArray ReadUploadFile(const QString& path) {
  const TFileHead head = ReadFileHead(path, UploadBufferSize);
  if (head.Size > UploadBufferSize) {
    throw TCommandFailed(QStringLiteral("%1 holds %2 bytes; a section takes at most %3")
                             .arg(path)
                             .arg(head.Size)
                             .arg(UploadBufferSize));
  }
  return head.Bytes;
}

}  // namespace

int InspectCommand(const TArgs& args) {
  const QString path = args.Positional()[0];
  const TFileHead head = ReadFileHead(path, RecognitionBytes);
  if (head.Size > std::numeric_limits<qint32>::max())
    throw TCommandFailed(QStringLiteral("%1 is far bigger than any section").arg(path));
  const TSlotInfo info = DescribeBytes(head.Bytes, qint32(head.Size));
  if (args.Has(QStringLiteral("json"))) {
    TJsonLine json;
    AddSlotInfoJson(json, info);
    PrintOut(json.Text());
  } else {
    for (const QString& line : SlotInfoText(info))
      PrintOut(line);
  }
  return exitOk;
}

int PackCommand(const TArgs& args) {
  const quint32 icon = args.Has(QStringLiteral("icon"))
                           ? ParseIconCode(args.Value(QStringLiteral("icon")))
                           : DefaultIconCode;
  const QByteArray data = ReadUploadFile(args.Positional()[0]);
  const QByteArray container = BuildLZOContainer(data, icon);
  if (container.isEmpty())
    throw TCommandFailed(QStringLiteral("The LZO container could not be built"));
  if (container.size() > BigSlotLimit) {
    throw TCommandFailed(QStringLiteral("The container takes %1 bytes; a section takes at most %2")
                             .arg(container.size())
                             .arg(BigSlotLimit));
  }
  WriteFileAtomically(args.Positional()[1], container);
  return exitOk;
}

int UnpackCommand(const TArgs& args) {
  const QByteArray container = ReadWholeFile(args.Positional()[0]);
  QString error;
  const QByteArray original = UnpackLZOContainer(container, &error);
  if (!error.isEmpty())
    throw TCommandFailed(error);
  WriteFileAtomically(args.Positional()[1], original);
  return exitOk;
}

int ConvertCommand(const TArgs& args) {
  const QString firmware = FirmwareTextFrom(args);
  const QString inPath = args.Positional()[0];
  QByteArray image = ReadWholeFile(inPath);
  QStringList report;
  if (IsUFIF20(image)) {
    QByteArray marked = image;
    MarkAsUFIF21(marked);
    report = RelocateUFIF20(marked, firmware);
    image = marked;
  } else {
    PrintErr(QStringLiteral("%1 is not a UFIF 2.0 program: written unchanged").arg(inPath));
  }
  WriteFileAtomically(args.Positional()[1], image);
  for (const QString& line : report)
    PrintOut(line);
  return exitOk;
}

int PRG3Command(const TArgs& args) {
  const QByteArray text = ReadWholeFile(args.Positional()[0]);
  const TPRG3Image library = PRG3ImageFromLines(SplitTextLines(text));
  if (library.TooBig)
    throw TCommandFailed(QStringLiteral("Can't uplod - library file too big!"));
  WriteFileAtomically(args.Positional()[1], library.Image);
  return exitOk;
}
