#include "cli/progress.h"

#include "cli/console.h"
#include "common/bytecount.h"
#include "common/texts.h"

TProgress::TProgress(bool enabled, int total)
    : enabled_(enabled), terminal_(StderrIsTerminal()), total_(total) {}

TProgress::~TProgress() {
  BreakLine();
}

void TProgress::Step(int index, const QString& address, qint64 bytesSoFar) {
  if (!enabled_)
    return;
  //: %3 is the section's address, %4 the bytes moved so far ("300 bytes").
  const QString text = TCliText::tr("section %1 of %2 (%3), %4")
                           .arg(index)
                           .arg(total_)
                           .arg(address, BytesText(bytesSoFar));
  if (terminal_) {
    RewriteErrLine(text);
    lineOpen_ = true;
  } else {
    PrintErr(text);
  }
}

void TProgress::BreakLine() {
  if (lineOpen_)
    EndErrLine();
  lineOpen_ = false;
}
