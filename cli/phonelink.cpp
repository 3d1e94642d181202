#include "cli/phonelink.h"

#include "cli/console.h"
#include "cli/options.h"
#include "settings/settingsfile.h"

TPhoneLink::TPhoneLink(const TPhoneOptions& options)
    : library_(MakeGBPLibrary(options.Link)), port_(options.Port), portOrigin_(options.PortOrigin) {
  // Making a Wine prefix takes a while: say so rather than seem to hang.
  library_->SetNotice([](const QString& text) {
    if (StderrIsTerminal())
      PrintErr(text);
  });
}

TPhoneLink::~TPhoneLink() {
  if (library_->IsOpen())
    library_->Close();
}

bool TPhoneLink::Open() {
  if (library_->IsOpen())
    return true;
  // A missing device is told before a link host or Wine is started for nothing.
  const bool deviceReady = library_->CheckDevice(port_).isEmpty();
  if (deviceReady && !library_->Load()) {
    const QString reason = library_->LoadProblem();
    openError_ = reason.isEmpty() ? UnableToOpenGBPText()
                                  : UnableToOpenGBPText() + QLatin1Char('\n') + reason;
    return false;
  }
  const int code = deviceReady ? library_->Open(port_) : GBPCantOpenPort;
  if (code == 0)
    return true;
  const QString lost = library_->TakeFailure();
  if (!lost.isEmpty()) {
    openError_ = WithDetail(lost);
    return false;
  }
  openError_ =
      QStringLiteral("%1 (%2, %3)").arg(GBPErrorMessage(code), PortName(port_), portOrigin_);
  // A device check says in full what is wrong; the library's reason needs the port named.
  if (!library_->DeviceProblem().isEmpty()) {
    openError_ += NextErrLine(library_->DeviceProblem());
    return false;
  }
  const QString reason = library_->OpenFailureReason();
  if (!reason.isEmpty())
    openError_ += NextErrLine(QStringLiteral("%1: %2").arg(PortName(port_), reason));
  return false;
}

void TPhoneLink::Close() {
  Told(library_->Close());
}

int TPhoneLink::GetSize(const TSectionAddress& address) {
  return Told(library_->GetSize(address.Section, address.SubSection));
}

int TPhoneLink::Read(const TSectionAddress& address, void* buffer, quint32 length) {
  return Told(library_->Read(address.Section, address.SubSection, buffer, length));
}

int TPhoneLink::Write(const TSectionAddress& address, const void* data, quint32 length) {
  return Told(library_->Write(address.Section, address.SubSection, data, length));
}

int TPhoneLink::Clear(const TSectionAddress& address) {
  return Told(library_->Clear(address.Section, address.SubSection));
}

int TPhoneLink::Told(int result) {
  const QString failure = library_->TakeFailure();
  if (!failure.isEmpty())
    PrintErr(WithDetail(failure));
  return result;
}

QString TPhoneLink::WithDetail(const QString& failure) const {
  const QString detail = library_->FailureDetail();
  return detail.isEmpty() ? failure : failure + NextErrLine(detail);
}

TCommandLink::TCommandLink(TPhoneLink& link) : link_(link), session_(link) {
  if (!session_.IsOpen())
    throw TCommandFailed(link.OpenError());
}
