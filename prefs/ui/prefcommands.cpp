#include "prefs/ui/prefcommands.h"

#include "common/modal.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "common/ui/busycursor.h"
#include "prefs/ops/prefsio.h"
#include "prefs/prefrecord.h"
#include "prefs/ui/prefform.h"

void GetPrefCommand(TPhonePort& port, TPrefForm& form, TReporter& reporter) {
  form.ForgetReading();
  TBytesRead read;
  {
    const TBusyCursor busy;
    read = ReadPrefRecord(port, reporter);
  }
  if (read.Ok())
    form.ShowReading(DecodePrefRecord(read.Bytes), read.Bytes);
}

void SetPrefCommand(TPhonePort& port, TPrefForm& form, const THistoryConfig& history,
                    TReporter& reporter) {
  reporter.Status(TPrefsText::tr("Uploading data..."));
  const QByteArray record = EncodePrefRecord(form.Entries(), form.LastRecordRead);
  const TBusyCursor busy;
  WritePrefRecord(port, record, history, reporter);
}

void PrefDialogCommand(TPhonePort& port, TPrefForm& form, const THistoryConfig& history,
                       TReporter& reporter) {
  if (Modal().ExecDialog(&form) == mrOk)
    SetPrefCommand(port, form, history, reporter);
}
