#include "transfer/ops/convertslot.h"

#include <optional>

#include "common/fileio.h"
#include "common/messages.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "link/phoneport.h"
#include "transfer/limits.h"
#include "transfer/ops/keepingport.h"
#include "transfer/uploadfile.h"
#include "ufif/relocation.h"
#include "ufif/ufifheader.h"

namespace {

QString TooBigToConvertText(const TSectionAddress& address, int size) {
  return TTransferText::tr(
             "Section %1 holds %n bytes; only programs of up to %2 bytes can be converted. "
             "The section was left as it was.",
             nullptr, size)
      .arg(address.Text())
      .arg(SectionImageSize);
}

QString NothingToConvertText(const TSectionAddress& address) {
  return TTransferText::tr("Section %1 is empty: there is nothing to convert.").arg(address.Text());
}

QString ConvertUploadErrorText() {
  //: %1 is "Section uploaded with error or out of memory!...", %2 the file's name, temp.prg
  return TTransferText::tr("%1.\nConverted program stored at %2 file!!!")
      .arg(UploadErrorText(), ConvertedCopyFile());
}

// The whole content of the section, or nothing after telling the user why not. The
// section is rewritten from this copy, so a section that cannot be read whole is refused.
std::optional<QByteArray> ReadForConversion(TPhonePort& port, const TSectionAddress& source,
                                            TReporter& reporter) {
  TSectionRead read;
  {
    const TLinkSession link(port);
    if (!link.IsOpen())
      return std::nullopt;
    read = ReadWholeSection(port, source, SectionImageSize);
  }
  switch (read.State) {
    case TSectionRead::Held:
      return read.Bytes;
    case TSectionRead::TooBig:
      reporter.Error(TooBigToConvertText(source, read.Size));
      break;
    case TSectionRead::Empty:
    case TSectionRead::Unknown:
      reporter.Error(NothingToConvertText(source));
      break;
    default:
      reporter.Error(ReadErrorText(source));
      break;
  }
  return std::nullopt;
}

}  // namespace

void ConvertToUFIF21(QByteArray& image, TInteraction& interaction, TReporter& reporter) {
  reporter.Status(TTransferText::tr("Converting data..."));
  const QStringList report = RelocateUFIF20(image, interaction.FirmwareText());
  reporter.Status(TTransferText::tr("Convert done!"));
  if (!report.isEmpty())
    interaction.ShowConversionReport(report);
}

QString ConvertedCopyFile() {
  return QStringLiteral("temp.prg");
}

void ConvertSlot(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& target,
                 const THistoryConfig& history, TInteraction& interaction, TReporter& reporter) {
  reporter.Status(TTransferText::tr("Downloading data..."));
  std::optional<QByteArray> image = ReadForConversion(port, target, reporter);
  if (!image)
    return;
  reporter.Status(TTransferText::tr("Downloaded!"));
  if (IsUFIF20(*image)) {
    MarkAsUFIF21(*image);
    ConvertToUFIF21(*image, interaction, reporter);
  }
  // A copy on disk before the section is erased, so the program survives a failed write.
  SaveFile(ConvertedCopyFile(), *image);
  TKeepingPort keeping(port, history, QT_TRANSLATE_NOOP("Transfer", "Convert"), reporter);
  ClearSection(keeping, catalogue, target, history, reporter);
  reporter.Status(TTransferText::tr("Uploading data..."));
  // The section may be erased by now, so even a link that would not open is reported with
  // the message that tells where the converted program is.
  const TWriteOutcome outcome =
      WriteAndJudge(keeping, catalogue, target, *image, TWriteCheck::BySize, reporter);
  ReportUpload(reporter, outcome.Whole, ConvertUploadErrorText());
}
