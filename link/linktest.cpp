#include "link/linktest.h"

#include "common/messages.h"
#include "common/texts.h"
#include "link/gbp.h"
#include "link/gbplibrary.h"
#include "link/phoneport.h"
#include "link/sectionanswer.h"

namespace {

constexpr TSectionAddress kPrefsRecord{2, 18};

// A library as a phone port on one port number, keeping the statuses the window tells of a
// link that failed: the opening's, and the size's.
class TLibraryPort final : public TPhonePort {
 public:
  TLibraryPort(TGBPLibrary& library, int port) : library_(library), port_(port) {}

  bool Open() override {
    opened_ = library_.Open(port_);
    return opened_.Code == 0;
  }
  void Close() override { library_.Close(); }
  int GetSize(const TSectionAddress& address) override {
    size_ = library_.GetSize(address.Section, address.SubSection);
    return size_.Code;
  }
  int Read(const TSectionAddress& address, void* buffer, quint32 length) override {
    return library_.Read(address.Section, address.SubSection, buffer, length).Code;
  }
  int Write(const TSectionAddress& address, const void* data, quint32 length) override {
    return library_.Write(address.Section, address.SubSection, data, length).Code;
  }
  int Clear(const TSectionAddress& address) override {
    return library_.Clear(address.Section, address.SubSection).Code;
  }
  QString LinkLost() const override { return library_.LinkLost(); }

  const TLinkStatus& Opened() const { return opened_; }
  const TLinkStatus& Size() const { return size_; }

 private:
  TGBPLibrary& library_;
  int port_;
  TLinkStatus opened_{GBPCantOpenPort, TGBPEntry::InitGBPMode, TLinkReason::None, {}, {}};
  TLinkStatus size_;
};

}  // namespace

TLinkTry TryLink(TPhonePort& port) {
  TLinkTry tried;
  const TLinkSession session(port);
  tried.Opened = session.IsOpen();
  if (tried.Opened)
    tried.Size = port.GetSize(kPrefsRecord);
  return tried;
}

TLinkTestOutcome OpenedLinkOutcome(int port, int size) {
  TLinkTestOutcome outcome;
  outcome.Worked = true;
  switch (JudgeAnswer(size, std::nullopt).Kind) {
    case TSectionAnswer::Holds:
      //: %1 is the port's number
      outcome.Text =
          TLinkText::tr("The link works on COM%1: section 2-18 holds %n bytes.", nullptr, size)
              .arg(port);
      break;
    case TSectionAnswer::Empty:
      outcome.Text =
          TLinkText::tr("The link works on COM%1: section 2-18 holds nothing.").arg(port);
      break;
    case TSectionAnswer::NotTold:
      //: %1 is the port's number, %2 the size answer (-5)
      outcome.Text = TLinkText::tr(
                         "The link works on COM%1, but the phone did not tell what section 2-18 "
                         "holds (size answer %2).")
                         .arg(port)
                         .arg(size);
      break;
    case TSectionAnswer::SizeFailed:
    case TSectionAnswer::ReadShort:
      outcome.Worked = false;
      //: %1 is the port's number, %2 the phone-link library's error
      outcome.Text = TLinkText::tr("The link opened on COM%1, but asking the size of 2-18 gave %2")
                         .arg(port)
                         .arg(GBPErrorMessage(size));
      break;
  }
  return outcome;
}

TLinkProbe ProbeLink(TGBPLibrary& library, int port) {
  TLibraryPort phone(library, port);
  const TLinkTry tried = TryLink(phone);
  // The status that ended the try: the opening's, or the size's once the link opened.
  const TLinkStatus& status = tried.Opened ? phone.Size() : phone.Opened();
  return TLinkProbe{phone.Opened().Code, tried.Size, status};
}

QString TLinkProbe::Detail() const {
  return Ended.HostFailed() || Opened == 0 ? Ended.Detail : Ended.Why;
}

TLinkTestOutcome TestLink(TGBPLibrary& library, int port) {
  const TLinkProbe probe = ProbeLink(library, port);
  TLinkTestOutcome outcome;
  if (probe.Opened == 0 && !probe.Ended.HostFailed())
    outcome = OpenedLinkOutcome(port, probe.Size);
  else if (probe.Ended.Reason == TLinkReason::NotUsable)
    outcome.Text = UnableToOpenGBPText();
  else if (probe.Ended.HostFailed())
    outcome.Text = probe.Ended.Why;
  else
    outcome.Text = GBPErrorMessage(probe.Opened);
  outcome.Detail = probe.Detail();
  return outcome;
}
