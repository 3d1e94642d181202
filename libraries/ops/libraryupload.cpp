#include "libraries/ops/libraryupload.h"

#include <QFile>

#include "catalogue/slotmap.h"
#include "common/errors.h"
#include "common/fileio.h"
#include "common/messages.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "libraries/prg3text.h"
#include "link/phoneport.h"
#include "transfer/limits.h"
#include "transfer/ops/keepingport.h"
#include "transfer/uploadfile.h"

namespace {

QStringList ReadTextLines(const QString& fileName) {
  QFile file;
  OpenForReading(file, fileName, TFileKinds::RegularOnly);
  const QByteArray text = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw EFOpenError(fileName);
  return SplitTextLines(text);
}

// "Can't uplod": the library does not fit one section.
TLibraryUploadResult LibraryTooBig(TReporter& reporter) {
  reporter.Error(LibraryTooBigText());
  TLibraryUploadResult result;
  result.TooBig = true;
  return result;
}

}  // namespace

TVerifyResult VerifyWrite(TPhonePort& port, const TSectionAddress& address, int expectedSize,
                          TReporter& reporter) {
  reporter.Status(TLibrariesText::tr("Checking data..."));
  TVerifyResult result;
  if (!port.Open())
    return result;
  result.Size = port.GetSize(address);
  if (result.Size != expectedSize) {
    reporter.Error(UploadErrorText());
    result.State = TVerifyResult::WrongSize;
    return result;
  }
  //: %1 is "Section uploaded sucsessfully!"
  reporter.Notice(TLibrariesText::tr("%1 Size: %n bytes", nullptr, result.Size).arg(UploadedText()),
                  SuccessCaption());
  result.State = TVerifyResult::Whole;
  return result;
}

TLibraryUploadResult WriteLibraryImage(TPhonePort& port, const TSectionAddress& address,
                                       const QByteArray& image, const THistoryConfig& history,
                                       TReporter& reporter) {
  TLibraryUploadResult result;
  TKeepingPort keeping(port, history, QT_TRANSLATE_NOOP("Transfer", "Library upload"), reporter);
  {
    const TLinkSession link(keeping);
    if (!link.IsOpen())
      return result;
    keeping.Write(address, image.constData(), quint32(image.size()));
    result.Verify = VerifyWrite(keeping, address, int(image.size()), reporter);
  }
  result.NotKept = keeping.NotKept();
  reporter.Status(TLibrariesText::tr("Uploaded!"));
  return result;
}

// A library is never split across subsections, so it must fit one section.
TLibraryUploadResult UploadLibraryFile(TPhonePort& port, const TSectionAddress& address,
                                       const QString& fileName, const THistoryConfig& history,
                                       TReporter& reporter) {
  reporter.Status(TLibrariesText::tr("Uploading data..."));
  const QByteArray library = ReadUploadFile(fileName).Data;
  if (library.size() > SectionImageSize)
    return LibraryTooBig(reporter);
  return WriteLibraryImage(port, address, library, history, reporter);
}

TLibraryUploadResult UploadPRG3Library(TPhonePort& port, const TSectionAddress& address,
                                       const QString& fileName, const THistoryConfig& history,
                                       TReporter& reporter) {
  reporter.Status(TLibrariesText::tr("Uploading data..."));
  const TPRG3Image library = PRG3ImageFromLines(ReadTextLines(fileName));
  if (library.TooBig)
    return LibraryTooBig(reporter);
  return WriteLibraryImage(port, address, library.Image, history, reporter);
}
