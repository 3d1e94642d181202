#include <optional>

#include "app/busycursor.h"
#include "app/forms.h"
#include "app/mainwindow.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "prefs/prefform.h"
#include "prefs/prefrecord.h"
#include "transfer/transfersteps.h"
#include "ui_prefform.h"

namespace {

// The record's bytes as the phone returned them, or nothing when the link did not open or
// the read failed (the user has been told).
std::optional<QByteArray> ReadPrefRecord(TForm1& form) {
  const TBusyCursor busy;
  if (!form.NVM->InitGBP())
    return std::nullopt;
  form.NVM->SetSect(PrefSection);
  form.NVM->SetSSect(PrefSubSection);
  QByteArray record(PrefRecordSize, '\0');
  const int count = form.NVM->Read(record.data(), PrefRecordSize);
  form.NVM->EndGBP();
  if (count < 0) {
    ShowReadError(form, {PrefSection, PrefSubSection});
    return std::nullopt;
  }
  record.truncate(count);
  return record;
}

void ShowPrefReading(TPrefForm& form, const TPrefReading& reading) {
  form.ui->ACheckBox->setChecked(reading.AutorunEnabled);
  form.ui->AsEdit->setVisible(reading.AutorunEnabled);
  form.ui->AssEdit->setVisible(reading.AutorunEnabled);
  if (reading.AutorunEnabled) {
    form.ui->AsEdit->setText(QString::number(reading.AutorunSection));
    form.ui->AssEdit->setText(QString::number(reading.AutorunSubSection));
  }
  if (reading.MenuIndex)
    form.SetRG1ItemIndex(*reading.MenuIndex);
  form.ui->sEdit->setText(QString::number(reading.LibrarySection));
  form.ui->ssEdit->setText(QString::number(reading.LibrarySubSection));
}

TPrefEntries PrefEntriesOf(const TPrefForm& form) {
  TPrefEntries entries;
  if (form.RG1ItemIndex() >= 0)
    entries.MenuIndex = form.RG1ItemIndex();
  entries.LibrarySection = form.ui->sEdit->text();
  entries.LibrarySubSection = form.ui->ssEdit->text();
  entries.AutorunEnabled = form.ui->ACheckBox->isChecked();
  entries.AutorunSection = form.ui->AsEdit->text();
  entries.AutorunSubSection = form.ui->AssEdit->text();
  return entries;
}

// False when the link did not open or the phone does not hold the whole record afterwards.
bool WritePrefRecord(TForm1& form, const QByteArray& record) {
  const TBusyCursor busy;
  if (!form.NVM->InitGBP())
    return false;
  form.NVM->SetSect(PrefSection);
  form.NVM->SetSSect(PrefSubSection);
  form.NVM->Write(record.constData(), quint32(record.size()));
  const bool whole = form.NVM->GetSize() == record.size();
  form.NVM->EndGBP();
  if (!whole)
    ShowError(form, UploadErrorText());
  return whole;
}

}  // namespace

void TForm1::Button3Click() {
  if (Modal().ExecDialog(PrefForm) == mrOk)
    SetPrefActionExecute();
}

// The library fields are emptied first, so that after a failed read nothing can be
// uploaded to or written from stale values.
void TForm1::GetPrefActionExecute() {
  PrefForm->ui->sEdit->clear();
  PrefForm->ui->ssEdit->clear();
  PrefForm->LastRecordRead.clear();
  const std::optional<QByteArray> record = ReadPrefRecord(*this);
  if (!record)
    return;
  PrefForm->LastRecordRead = *record;
  ShowPrefReading(*PrefForm, DecodePrefRecord(*record));
}

void TForm1::SetPrefActionExecute() {
  SetStatusText(QStringLiteral("Uploading data..."));
  const QByteArray record = EncodePrefRecord(PrefEntriesOf(*PrefForm), PrefForm->LastRecordRead);
  if (WritePrefRecord(*this, record))
    SetStatusText(QStringLiteral("Uploaded!"));
}
