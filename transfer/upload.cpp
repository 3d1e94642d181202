// The two upload commands: a file written into the slot behind the grid's current row,
// as it is or inside an LZO container.

#include <optional>

#include "app/forms.h"
#include "app/mainwindow.h"
#include "common/modal.h"
#include "transfer/limits.h"
#include "transfer/lzocontainer.h"
#include "transfer/transfersteps.h"
#include "ufif/iconform.h"
#include "ufif/icons.h"
#include "ufif/okbottomdlg.h"
#include "ufif/ufifheader.h"

namespace {

// The open dialog, then the file; nothing when the user cancels.
std::optional<TUploadFile> ChooseUploadFile(TForm1& form) {
  const QString fileName = Modal().OpenFileName(&form);
  if (fileName.isEmpty())
    return std::nullopt;
  form.SetStatusText(QStringLiteral("Uploading data..."));
  return ReadUploadFile(fileName);
}

// A UFIF 2.0 program may be converted first; false when the user gives up.
bool OfferUFIF21Conversion(TForm1& form, QByteArray& data) {
  if (!IsUFIF20(data))
    return true;
  switch (OKBottomDlg->Ask()) {
    case mrYes:
      MarkAsUFIF21(data);
      form.ConvertToUFIF21(data);
      return true;
    case mrNo:
      return true;
    default:
      return false;
  }
}

// The size check on what would be written, then the write and its outcome.
void WriteIntoCurrentSlot(TForm1& form, const QByteArray& bytes, bool fileTooLong) {
  const TSectionAddress target = form.CurrentSlotAddress();
  const int limit = SlotLimit(form.CurrentRow(), CurrentSlotRanges());
  if (fileTooLong || bytes.size() > limit) {
    ShowError(form, QStringLiteral("Can't uplod - file too big!"));
    return;
  }
  const std::optional<int> size = WriteAndRefresh(form, target, bytes);
  if (!size)
    return;
  ReportUpload(form, *size == bytes.size(), UploadErrorText());
}

}  // namespace

void TForm1::UploadActionExecute() {
  const std::optional<TUploadFile> file = ChooseUploadFile(*this);
  if (!file)
    return;
  QByteArray data = file->Data.left(TrimTrailingNops(file->Data, file->Data.size()));
  if (!OfferUFIF21Conversion(*this, data))
    return;
  WriteIntoCurrentSlot(*this, data, file->TooLong);
}

void TForm1::UploadLZOActionExecute() {
  const std::optional<TUploadFile> file = ChooseUploadFile(*this);
  if (!file)
    return;
  QByteArray data = file->Data;
  if (!OfferUFIF21Conversion(*this, data))
    return;
  const quint32 iconCode = NeedsIconChoice(data) ? IconForm->AskIconCode() : DefaultIconCode;
  const QByteArray container = BuildLZOContainer(data, iconCode);
  if (container.isEmpty())
    return;
  WriteIntoCurrentSlot(*this, container, file->TooLong);
}
