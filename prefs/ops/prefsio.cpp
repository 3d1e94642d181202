#include "prefs/ops/prefsio.h"

#include "common/messages.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "link/phoneport.h"
#include "prefs/prefrecord.h"
#include "transfer/ops/keepingport.h"
#include "transfer/ops/sectionio.h"

namespace {

const TSectionAddress PrefAddress{PrefSection, PrefSubSection};

}  // namespace

TBytesRead ReadPrefRecord(TPhonePort& port, TReporter& reporter) {
  return ReadSectionBytes(port, PrefAddress, PrefRecordSize, reporter);
}

TPrefWriteResult WritePrefRecord(TPhonePort& port, const QByteArray& record,
                                 const THistoryConfig& history, TReporter& reporter) {
  TPrefWriteResult result;
  bool whole = false;
  TKeepingPort keeping(port, history, QT_TRANSLATE_NOOP("Transfer", "Preferences update"),
                       reporter);
  {
    const TLinkSession link(keeping);
    if (!link.IsOpen())
      return result;
    keeping.Write(PrefAddress, record.constData(), quint32(record.size()));
    whole = keeping.GetSize(PrefAddress) == record.size();
  }
  result.NotKept = keeping.NotKept();
  if (!whole) {
    reporter.Error(UploadErrorText());
    result.State = TPrefWriteResult::CutShort;
    return result;
  }
  reporter.Status(TPrefsText::tr("Uploaded!"));
  result.State = TPrefWriteResult::Whole;
  return result;
}
