#include "transfer/ops/undo.h"

#include "catalogue/ops/refreshslots.h"
#include "common/errors.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "link/phoneport.h"
#include "transfer/limits.h"
#include "transfer/ops/keepingport.h"
#include "transfer/ops/sectionio.h"

namespace {

// What the section holds now, as the history records a state; nothing known after a failure.
TSectionState CurrentState(const TSectionRead& read) {
  if (read.State == TSectionRead::Held)
    return StateOfBytes(read.Bytes);
  if (read.State == TSectionRead::Empty)
    return EmptyState();
  return {};
}

QString RefusalText(const THistoryEntry& entry, const TSectionState& now) {
  //: %1 is a section, %2 what it holds now, %3 the change's number, %4 the change ("Upload"),
  //: %5 what the change left there
  return TTransferText::tr(
             "Section %1 now holds %2, not what change %3 (%4) left there: %5. Another phone "
             "or a later change has written it since; nothing was written.")
      .arg(entry.Address.Text(), now.Text(), entry.Id, ChangeLabelText(entry.Change),
           entry.After.Text());
}

TUndoResult Unusable(TUndoResult& result, const QString& problem) {
  result.State = TUndoResult::Unusable;
  result.Problem = problem;
  return result;
}

// Writes back what the change replaced, within one link of the keeping port over port.
TUndoResult UndoInLink(TKeepingPort& keeping, TPhonePort& port, TCatalogue& catalogue,
                       const THistoryStore& store, const THistoryEntry& entry,
                       const QByteArray& kept, TReporter& reporter) {
  TUndoResult result;
  result.Entry = entry;
  const TLinkSession link(keeping);
  if (!link.IsOpen())
    return result;
  const TSectionState now = CurrentState(ReadWholeSection(port, entry.Address, UploadBufferSize));
  if (!(now == entry.After)) {
    result.State = TUndoResult::Refused;
    result.Problem = RefusalText(entry, now);
    return result;
  }
  reporter.Status(
      TTransferText::tr("Taking back change %1 of %2...").arg(entry.Id, entry.Address.Text()));
  const TWriteOutcome outcome = WriteAndJudgeInLink(keeping, catalogue, entry.Address, kept,
                                                    TWriteCheck::ByReadBack, reporter);
  result.State = outcome.Whole ? TUndoResult::Undone : TUndoResult::Failed;
  result.Problem = outcome.Problem;
  if (!outcome.Whole)
    return result;
  // The phone has been written: a history that cannot take the mark must not lose that.
  try {
    store.MarkTakenBack(entry.Id);
  } catch (const Exception& error) {
    result.NotRecorded = error.Reason().isEmpty()
                             ? error.Message()
                             : QStringLiteral("%1: %2").arg(error.Message(), error.Reason());
  }
  return result;
}

}  // namespace

std::optional<THistoryEntry> LastChange(const THistoryStore& store) {
  const QList<THistoryEntry> entries = store.Entries();
  for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
    if (it->Problem.isEmpty() && it->After.Known && !it->TakenBack)
      return *it;
  }
  return std::nullopt;
}

TUndoResult Undo(TPhonePort& port, TCatalogue& catalogue, const THistoryStore& store,
                 const QString& id, TReporter& reporter) {
  TUndoResult result;
  if (id.isEmpty()) {
    const std::optional<THistoryEntry> last = LastChange(store);
    if (!last) {
      result.State = TUndoResult::NothingToUndo;
      result.Problem = TTransferText::tr("The history holds no change to take back");
      return result;
    }
    result.Entry = *last;
  } else {
    const TBackupRead<THistoryEntry> asked = store.Entry(id);
    if (!asked.Ok())
      return Unusable(result, asked.Problem);
    result.Entry = asked.Value;
  }
  if (!result.Entry.After.Known)
    return Unusable(result, TTransferText::tr("Change %1 never told what it left in section %2 (it "
                                              "was interrupted): restore it as a backup folder if "
                                              "you must")
                                .arg(result.Entry.Id, result.Entry.Address.Text()));
  const TBackupRead<QByteArray> kept = store.KeptBytes(result.Entry);
  if (!kept.Ok())
    return Unusable(result, kept.Problem);
  TKeepingPort keeping(port, store.Config(), UndoChangeLabel(result.Entry.Id), reporter);
  result = UndoInLink(keeping, port, catalogue, store, result.Entry, kept.Value, reporter);
  // Complete only now: the history records what the undo left as its link closes.
  result.NotKept = keeping.NotKept();
  return result;
}
