#include "transfer/ui/undocommand.h"

#include "common/errors.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "common/ui/busycursor.h"
#include "transfer/ops/undo.h"

QString ChangeName(const THistoryEntry& entry) {
  //: %1 is a change ("Upload"), %2 its section ("18-9"): "Upload of 18-9"
  return TTransferText::tr("%1 of %2").arg(ChangeLabelText(entry.Change), entry.Address.Text());
}

void UndoChangeCommand(TPhonePort& port, TCatalogue& catalogue, const THistoryStore& store,
                       const QString& id, TReporter& reporter) {
  TUndoResult result;
  {
    const TBusyCursor busy;
    result = Undo(port, catalogue, store, id, reporter);
  }
  switch (result.State) {
    case TUndoResult::NoLink:
      return;
    case TUndoResult::NothingToUndo:
    case TUndoResult::Unusable:
      // In the box every command's error shows in; the status line stays as it was.
      Modal().ShowError(WithFullStop(result.Problem));
      return;
    case TUndoResult::Refused:
      reporter.Status(TTransferText::tr("Not undone"));
      reporter.Error(result.Problem);
      return;
    case TUndoResult::Failed:
      reporter.Status(TTransferText::tr("Undo error!"));
      reporter.Error(NotTakenBackText(result.Entry.Address, result.Problem));
      return;
    case TUndoResult::Undone:
      break;
  }
  reporter.Status(TTransferText::tr("Undone: %1.").arg(ChangeName(result.Entry)));
  if (result.NotRecorded.isEmpty())
    reporter.Notice(WithFullStop(TakenBackText(result.Entry)), SuccessCaption());
  else
    reporter.Error(WithFullStop(TakenBackText(result.Entry)) + QLatin1Char('\n') +
                   WithFullStop(NotRecordedText(result.Entry, result.NotRecorded)));
}
