#include "cli/progress.h"

#include "cli/console.h"

TProgress::TProgress(bool enabled, int total)
    : enabled_(enabled), terminal_(StderrIsTerminal()), total_(total) {}

TProgress::~TProgress() {
  BreakLine();
}

void TProgress::Step(int index, const QString& address, qint64 bytesSoFar) {
  if (!enabled_)
    return;
  const QString text = QStringLiteral("section %1 of %2 (%3), %4 bytes")
                           .arg(index)
                           .arg(total_)
                           .arg(address)
                           .arg(bytesSoFar);
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
