#include "link/nvmsection.h"

#include "common/messages.h"
#include "common/modal.h"
#include "link/gbplibrary.h"
#include "link/linkexecutor.h"

TNVMSection::TNVMSection(QObject* owner, const TLinkChoice& choice)
    : QObject(owner), library_(MakeGBPLibrary(choice)), refusal_(choice.Refusal) {
  library_->SetNotice([this](const QString& text) { emit Notice(text); });
  library_->SetCancel(&abandon_);
  if (!library_->NeedsLoad() && !library_->Usable())
    ShowUnusable();
}

TNVMSection::~TNVMSection() {
  EndGBP();
}

void TNVMSection::UseChoice(const TLinkChoice& choice) {
  if (library_->IsOpen())
    EndGBP();
  // The old library is taken apart where its calls ran; a link host ends with it.
  Run([this, &choice] { library_ = MakeGBPLibrary(choice); });
  library_->SetNotice([this](const QString& text) { emit Notice(text); });
  library_->SetCancel(&abandon_);
  reasonShown_ = false;
  refusal_ = choice.Refusal;
}

bool TNVMSection::InitGBP() {
  if (library_->IsOpen())
    return true;
  // A call abandoned before lost the link it was in; a new link starts afresh.
  abandon_ = false;
  const int port = static_cast<int>(port_) + 1;
  // A missing device is told at once, before a link host or Wine is started for nothing.
  const TLinkStatus device = library_->CheckDevice(port);
  if (device.Reason != TLinkReason::None) {
    Modal().ShowMessageDetail(parent(), GBPErrorMessage(device.Code), device.Why, ErrorCaption());
    return false;
  }
  if (library_->NeedsLoad()) {
    const TLinkWork starting(executor_, tr("Starting the link host"));
    Run([this] { library_->Load(); });
  }
  // Without the library every command would otherwise fail silently.
  if (!library_->Usable()) {
    ShowUnusable();
    return false;
  }
  const TLinkStatus opened = Call([this, port] { return library_->Open(port); });
  if (opened.Code == 0)
    return true;
  // A link host that failed has been told already.
  if (opened.HostFailed())
    return false;
  // The library's own reason (a port another program holds) goes under the message.
  if (opened.Why.isEmpty())
    ShowError(GBPErrorMessage(opened.Code));
  else
    Modal().ShowMessageDetail(parent(), GBPErrorMessage(opened.Code), opened.Why, ErrorCaption());
  return false;
}

int TNVMSection::EndGBP() {
  return Call([this] { return library_->Close(); }).Code;
}

int TNVMSection::Read(void* buffer, quint32 length) {
  if (!InitGBP())
    return -1;
  return Call([&] { return library_->Read(section_, subsection_, buffer, length); }).Code;
}

int TNVMSection::Write(const void* buffer, quint32 length) {
  if (!OpenFor(TGBPEntry::WriteNVMFile))
    return -1;
  return Call([&] { return library_->Write(section_, subsection_, buffer, length); }).Code;
}

int TNVMSection::GetSize() {
  if (!OpenFor(TGBPEntry::GetNVMFileSize))
    return -1;
  return Call([this] { return library_->GetSize(section_, subsection_); }).Code;
}

int TNVMSection::Clear() {
  if (!OpenFor(TGBPEntry::ClearNVMFile))
    return 0;
  return Call([this] { return library_->Clear(section_, subsection_); }).Code;
}

bool TNVMSection::Usable() const {
  return library_->Usable();
}

bool TNVMSection::LinkOpen() const {
  return library_->IsOpen();
}

QString TNVMSection::LibraryFile() const {
  return library_->FileName();
}

QString TNVMSection::HowItRuns() const {
  return library_->HowItRuns();
}

bool TNVMSection::DemoPhone() const {
  return library_->DemoPhone();
}

QString TNVMSection::InUseText() const {
  if (!refusal_.isEmpty())
    //: %1 is why no library may be loaded
    return tr("none: %1").arg(refusal_);
  if (library_->DemoPhone())
    //: %1 is "demo phone", %2 its library file
    return tr("%1 (%2)").arg(DemoPhoneText(), library_->FileName());
  //: %1 is the library's file, %2 how it runs: "in this process"
  return tr("%1, %2").arg(library_->FileName(), library_->HowItRuns());
}

bool TNVMSection::AbandonOverdueCall() {
  if (!library_->CallOverdue())
    return false;
  abandon_ = true;
  return true;
}

QString TNVMSection::LinkLost() const {
  return library_->LinkLost();
}

bool TNVMSection::Open() {
  return InitGBP();
}

void TNVMSection::Close() {
  EndGBP();
}

int TNVMSection::GetSize(const TSectionAddress& address) {
  SetAddress(address);
  return GetSize();
}

int TNVMSection::Read(const TSectionAddress& address, void* buffer, quint32 length) {
  SetAddress(address);
  return Read(buffer, length);
}

int TNVMSection::Write(const TSectionAddress& address, const void* data, quint32 length) {
  SetAddress(address);
  return Write(data, length);
}

int TNVMSection::Clear(const TSectionAddress& address) {
  SetAddress(address);
  return Clear();
}

void TNVMSection::SetAddress(const TSectionAddress& address) {
  SetSect(address.Section);
  SetSSect(address.SubSection);
}

// A usable library that lacks the entry point fails the operation as if the link could
// not be opened, without touching the link.
bool TNVMSection::OpenFor(TGBPEntry entry) {
  if (library_->Usable() && !library_->Has(entry))
    return false;
  return InitGBP();
}

void TNVMSection::Run(const std::function<void()>& work) {
  if (executor_)
    executor_->Run(work);
  else
    work();
}

TLinkStatus TNVMSection::Call(const std::function<TLinkStatus()>& call) {
  TLinkStatus status;
  Run([&] { status = call(); });
  if (status.HostFailed() && status.Detail.isEmpty())
    ShowError(status.Why);
  else if (status.HostFailed())
    Modal().ShowMessageDetail(parent(), status.Why, status.Detail, ErrorCaption());
  return status;
}

void TNVMSection::ShowError(const QString& text) {
  Modal().ShowMessage(parent(), text, ErrorCaption());
}

void TNVMSection::ShowUnusable() {
  const QString reason = library_->LoadProblem();
  if (reason.isEmpty() || (reasonShown_ && !library_->Isolated() && refusal_.isEmpty())) {
    ShowError(UnableToOpenGBPText());
    return;
  }
  reasonShown_ = true;
  Modal().ShowMessageDetail(parent(), UnableToOpenGBPText(), reason, ErrorCaption());
}
