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
  const TLinkStatus opened = library_->Open(port_);
  if (opened.Code == 0)
    return true;
  openError_ = OpenErrorText(opened);
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

namespace {

// The link host's failure with what it last wrote on its standard error on the next line.
QString WithDetail(const TLinkStatus& status) {
  return status.Detail.isEmpty() ? status.Why : status.Why + NextErrLine(status.Detail);
}

}  // namespace

int TPhoneLink::Told(const TLinkStatus& status) {
  if (status.HostFailed())
    PrintErr(WithDetail(status));
  return status.Code;
}

QString TPhoneLink::OpenErrorText(const TLinkStatus& status) const {
  if (status.Reason == TLinkReason::NotUsable)
    return status.Why.isEmpty() ? UnableToOpenGBPText()
                                : UnableToOpenGBPText() + QLatin1Char('\n') + status.Why;
  if (status.HostFailed())
    return WithDetail(status);
  const QString error =
      QStringLiteral("%1 (%2, %3)").arg(GBPErrorMessage(status.Code), PortName(port_), portOrigin_);
  // A device check says in full what is wrong; the library's reason needs the port named.
  if (status.Reason == TLinkReason::Device)
    return error + NextErrLine(status.Why);
  if (status.Reason == TLinkReason::System)
    return error + NextErrLine(QStringLiteral("%1: %2").arg(PortName(port_), status.Why));
  return error;
}

TCommandLink::TCommandLink(TPhoneLink& link) : link_(link), session_(link) {
  if (!session_.IsOpen())
    throw TCommandFailed(link.OpenError());
}
