#include "transfer/ops/convertslot.h"

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

// The whole content of the section, or why not, told to the user. The section is
// rewritten from this copy, so a section that cannot be read whole is refused.
TBytesRead ReadForConversion(TPhonePort& port, const TSectionAddress& source, TReporter& reporter) {
  TBytesRead result;
  TSectionRead read;
  {
    const TLinkSession link(port);
    if (!link.IsOpen())
      return result;
    read = ReadWholeSection(port, source, SectionImageSize);
  }
  result.State = TBytesRead::ReadFailed;
  switch (read.State) {
    case TSectionRead::Held:
      result.State = TBytesRead::Read;
      result.Bytes = read.Bytes;
      return result;
    case TSectionRead::TooBig:
      result.Problem = TooBigToConvertText(source, read.Size);
      break;
    case TSectionRead::Empty:
    case TSectionRead::Unknown:
      result.Problem = NothingToConvertText(source);
      break;
    default:
      result.Problem = ReadErrorText(source);
      break;
  }
  reporter.Error(result.Problem);
  return result;
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

TConvertResult ConvertSlot(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& target,
                           const THistoryConfig& history, TInteraction& interaction,
                           TReporter& reporter) {
  reporter.Status(TTransferText::tr("Downloading data..."));
  TConvertResult result;
  result.Source = ReadForConversion(port, target, reporter);
  if (!result.Source.Ok())
    return result;
  QByteArray image = result.Source.Bytes;
  reporter.Status(TTransferText::tr("Downloaded!"));
  if (IsUFIF20(image)) {
    MarkAsUFIF21(image);
    ConvertToUFIF21(image, interaction, reporter);
  }
  // A copy on disk before the section is erased, so the program survives a failed write.
  SaveFile(ConvertedCopyFile(), image);
  TKeepingPort keeping(port, history, QT_TRANSLATE_NOOP("Transfer", "Convert"), reporter);
  ClearSection(keeping, catalogue, target, history, reporter);
  reporter.Status(TTransferText::tr("Uploading data..."));
  // The section may be erased by now, so even a link that would not open is reported with
  // the message that tells where the converted program is.
  result.Write = WriteAndJudge(keeping, catalogue, target, image, TWriteCheck::BySize, reporter);
  ReportUpload(reporter, result.Write.Whole, ConvertUploadErrorText());
  result.NotKept = keeping.NotKept();
  return result;
}
