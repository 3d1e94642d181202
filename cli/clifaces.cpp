#include "cli/clifaces.h"

#include "catalogue/slotmap.h"
#include "cli/args.h"
#include "cli/console.h"
#include "cli/options.h"
#include "common/modal.h"
#include "common/texts.h"
#include "ufif/icons.h"

void TCliReporter::Error(const QString& text) {
  if (line_)
    line_->BreakLine();
  PrintErr(text);
}

void TCliReporter::Notice(const QString& text, const QString&) {
  if (line_)
    line_->BreakLine();
  PrintErr(text);
}

void TCliReporter::Progress(int index, int count, const TSectionAddress& address, qint64 bytes) {
  if (!line_)
    line_.emplace(progress_, count);
  line_->Step(index, address.Text(), bytes);
}

int TCliInteraction::AskUFIF21Conversion() {
  return args_.Has(QStringLiteral("convert")) ? mrYes : mrNo;
}

QString TCliInteraction::FirmwareText() {
  return FirmwareTextFrom(args_);
}

void TCliInteraction::ShowConversionReport(const QStringList& lines) {
  for (const QString& line : lines)
    PrintOut(line);
}

quint32 TCliInteraction::AskIconCode() {
  return args_.Has(QStringLiteral("icon")) ? ParseIconCode(args_.Value(QStringLiteral("icon")))
                                           : DefaultIconCode;
}

TInteraction::TFileClash TCliInteraction::AskFileClash(const QString&) {
  return args_.Has(QStringLiteral("replace")) ? ReplaceAllFiles : SkipAllFiles;
}

void PrintNotKept(const QStringList& notKept) {
  for (const QString& problem : notKept)
    //: %1 says which section the history kept no copy of, and why.
    PrintErr(TCliText::tr("%1; this change cannot be taken back").arg(problem));
}
