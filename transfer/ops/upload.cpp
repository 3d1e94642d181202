#include "transfer/ops/upload.h"

#include "catalogue/slotmap.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "transfer/limits.h"
#include "transfer/ops/convertslot.h"
#include "transfer/ops/keepingport.h"
#include "ufif/icons.h"
#include "ufif/lzocontainer.h"
#include "ufif/ufifheader.h"

namespace {

// A UFIF 2.0 program may be converted first; false when the user gives up.
bool OfferUFIF21Conversion(QByteArray& data, TInteraction& interaction, TReporter& reporter) {
  if (!IsUFIF20(data))
    return true;
  switch (interaction.AskUFIF21Conversion()) {
    case mrYes:
      MarkAsUFIF21(data);
      ConvertToUFIF21(data, interaction, reporter);
      return true;
    case mrNo:
      return true;
    default:
      return false;
  }
}

}  // namespace

TUploadImage PrepareUploadImage(const TUploadRequest& request, TInteraction& interaction,
                                TReporter& reporter) {
  QByteArray image = request.File.Data;
  if (!request.Compressed)
    image.truncate(TrimTrailingNops(image, int(image.size())));
  if (!OfferUFIF21Conversion(image, interaction, reporter))
    return {TUploadResult::GaveUp, {}};
  if (!request.Compressed)
    return {TUploadResult::Sent, image};
  const quint32 iconCode = NeedsIconChoice(image) ? interaction.AskIconCode() : DefaultIconCode;
  image = BuildLZOContainer(image, iconCode);
  return {image.isEmpty() ? TUploadResult::NoContainer : TUploadResult::Sent, image};
}

int SectionLimit(const TSectionAddress& address, const TSlotRanges& ranges) {
  const int row = SlotRow(address.Section, address.SubSection, ranges);
  return row > 0 ? SlotLimit(row, ranges) : BigSlotLimit;
}

TUploadResult Upload(TPhonePort& port, TCatalogue& catalogue, const TUploadRequest& request,
                     TInteraction& interaction, TReporter& reporter) {
  TUploadResult result;
  const TUploadImage prepared = PrepareUploadImage(request, interaction, reporter);
  const QByteArray& image = prepared.Image;
  result.Stage = prepared.Stage;
  if (result.Stage != TUploadResult::Sent)
    return result;
  if (request.File.TooLong || image.size() > SectionLimit(request.Target, catalogue.Ranges)) {
    reporter.Error(FileTooBigText());
    result.Stage = TUploadResult::TooBig;
    return result;
  }
  TKeepingPort keeping(port, request.History,
                       request.Compressed ? QT_TRANSLATE_NOOP("Transfer", "Compressed upload")
                                          : QT_TRANSLATE_NOOP("Transfer", "Upload"),
                       reporter);
  result.Write = WriteAndJudge(keeping, catalogue, request.Target, image, request.Check, reporter);
  result.NotKept = keeping.NotKept();
  if (result.Write.LinkOpened)
    ReportUpload(reporter, result.Write.Whole, UploadErrorText());
  return result;
}
