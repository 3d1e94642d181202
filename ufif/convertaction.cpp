// Converting a UFIF 2.0 program, on its way to the phone or already stored in a slot.

#include <QComboBox>
#include <optional>

#include "app/busycursor.h"
#include "app/forms.h"
#include "app/mainwindow.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "transfer/limits.h"
#include "transfer/transfersteps.h"
#include "ufif/badaddrform.h"
#include "ufif/okbottomdlg.h"
#include "ufif/relocation.h"
#include "ufif/ufifheader.h"

namespace {

const QString ConvertedCopy = QStringLiteral("temp.prg");

QString TooBigToConvertText(const TSectionAddress& address, int size) {
  return QStringLiteral(
             "Section %1 holds %2 bytes; only programs of up to %3 bytes can be converted. "
             "The section was left as it was.")
      .arg(address.Text())
      .arg(size)
      .arg(SectionImageSize);
}

QString ConvertUploadErrorText() {
  return QStringLiteral(
      "Section uploaded with error or out of memory!\n"
      "Try to upload again or free some NVM memory.\n"
      "Converted program stored at temp.prg file!!!");
}

// The whole content of the section, or nothing after telling the user why not. The
// section is rewritten from this copy, so a section that cannot be read whole is refused.
std::optional<QByteArray> ReadWholeSection(TForm1& form, const TSectionAddress& source) {
  QByteArray image(SectionImageSize, '\0');
  int size = 0;
  int count = 0;
  {
    const TBusyCursor busy;
    TNVMSection& nvm = *form.NVM;
    if (!nvm.InitGBP())
      return std::nullopt;
    nvm.SetSect(source.Section);
    nvm.SetSSect(source.SubSection);
    size = nvm.GetSize();
    if (size >= 0 && size <= SectionImageSize)
      count = nvm.Read(image.data(), quint32(image.size()));
    nvm.EndGBP();
  }
  if (size > SectionImageSize) {
    ShowError(form, TooBigToConvertText(source, size));
    return std::nullopt;
  }
  if (size < 0 || count != size) {
    ShowReadError(form, source);
    return std::nullopt;
  }
  image.truncate(count);
  return image;
}

}  // namespace

void TForm1::ConvertToUFIF21(QByteArray& image) {
  SetStatusText(QStringLiteral("Converting data..."));
  const QComboBox* field = FirmwareField();
  const QString firmware = field ? field->currentText() : QString();
  const QStringList report = RelocateUFIF20(image, firmware);
  SetStatusText(QStringLiteral("Convert done!"));
  if (report.isEmpty())
    return;
  // Words the conversion could not judge: the user decides whether they need a look.
  BadAddrForm->SetReport(report);
  Modal().ExecDialog(BadAddrForm);
}

void TForm1::ConvertActionExecute() {
  SetStatusText(QStringLiteral("Downloading data..."));
  const TSectionAddress target = CurrentSlotAddress();
  std::optional<QByteArray> image = ReadWholeSection(*this, target);
  if (!image)
    return;
  SetStatusText(QStringLiteral("Downloaded!"));
  if (IsUFIF20(*image)) {
    MarkAsUFIF21(*image);
    ConvertToUFIF21(*image);
  }
  // A copy on disk before the section is erased, so the program survives a failed write.
  SaveWholeFile(ConvertedCopy, *image);
  ClearActionExecute();
  SetStatusText(QStringLiteral("Uploading data..."));
  // The section may be erased by now, so even a link that would not open is reported with
  // the message that tells where the converted program is.
  const std::optional<int> size = WriteAndRefresh(*this, target, *image);
  ReportUpload(*this, size && *size == image->size(), ConvertUploadErrorText());
}
