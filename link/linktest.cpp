#include "link/linktest.h"

#include "common/messages.h"
#include "link/gbp.h"
#include "link/gbplibrary.h"

namespace {

constexpr int kPrefsSection = 2;
constexpr int kPrefsSubSection = 18;

}  // namespace

TLinkTestOutcome TestLink(TGBPLibrary& library, int port) {
  TLinkTestOutcome outcome;
  if (!library.Load()) {
    outcome.Text = UnableToOpenGBPText();
    outcome.Detail = library.LoadProblem();
    return outcome;
  }
  const int opened = library.Open(port);
  if (opened != 0) {
    const QString lost = library.TakeFailure();
    outcome.Text = lost.isEmpty() ? GBPErrorMessage(opened) : lost;
    outcome.Detail = library.OpenFailureReason();
    return outcome;
  }
  const int size = library.GetSize(kPrefsSection, kPrefsSubSection);
  const QString failure = library.TakeFailure();
  library.Close();
  if (!failure.isEmpty()) {
    outcome.Text = failure;
  } else if (size >= 0) {
    outcome.Worked = true;
    outcome.Text =
        QStringLiteral("The link works on COM%1: section 2-18 holds %2 bytes.").arg(port).arg(size);
  } else if (size == GBPSizeNoSection || size == GBPSizeUnknown) {
    outcome.Worked = true;
    outcome.Text = QStringLiteral("The link works on COM%1: section 2-18 holds nothing.").arg(port);
  } else {
    outcome.Text = QStringLiteral("The link opened on COM%1, but asking the size of 2-18 gave %2")
                       .arg(port)
                       .arg(GBPErrorMessage(size));
  }
  return outcome;
}
