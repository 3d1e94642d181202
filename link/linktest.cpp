#include "link/linktest.h"

#include "common/messages.h"
#include "common/texts.h"
#include "link/gbp.h"
#include "link/gbplibrary.h"

namespace {

constexpr int kPrefsSection = 2;
constexpr int kPrefsSubSection = 18;

}  // namespace

TLinkProbe ProbeLink(TGBPLibrary& library, int port) {
  TLinkProbe probe;
  probe.Opened = library.Open(port);
  if (probe.Opened != 0) {
    probe.Failure = library.TakeFailure();
    probe.Loaded = !library.DeviceProblem().isEmpty() || library.Usable();
    probe.Detail = !probe.Failure.isEmpty() ? library.FailureDetail()
                   : probe.Loaded           ? library.OpenFailureReason()
                                            : library.LoadProblem();
    return probe;
  }
  probe.Size = library.GetSize(kPrefsSection, kPrefsSubSection);
  probe.Failure = library.TakeFailure();
  probe.Detail = library.FailureDetail();
  library.Close();
  return probe;
}

TLinkTestOutcome TestLink(TGBPLibrary& library, int port) {
  const TLinkProbe probe = ProbeLink(library, port);
  TLinkTestOutcome outcome;
  outcome.Detail = probe.Detail;
  if (!probe.Loaded) {
    outcome.Text = UnableToOpenGBPText();
  } else if (!probe.Failure.isEmpty()) {
    outcome.Text = probe.Failure;
  } else if (probe.Opened != 0) {
    outcome.Text = GBPErrorMessage(probe.Opened);
  } else if (probe.Size >= 0) {
    outcome.Worked = true;
    //: %1 is the port's number
    outcome.Text =
        TLinkText::tr("The link works on COM%1: section 2-18 holds %n bytes.", nullptr, probe.Size)
            .arg(port);
  } else if (probe.Size == GBPSizeNoSection || probe.Size == GBPSizeUnknown) {
    outcome.Worked = true;
    outcome.Text = TLinkText::tr("The link works on COM%1: section 2-18 holds nothing.").arg(port);
  } else {
    //: %1 is the port's number, %2 the phone-link library's error
    outcome.Text = TLinkText::tr("The link opened on COM%1, but asking the size of 2-18 gave %2")
                       .arg(port)
                       .arg(GBPErrorMessage(probe.Size));
  }
  return outcome;
}
