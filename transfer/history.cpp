#include "transfer/history.h"

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "common/bytecount.h"
#include "common/fileio.h"
#include "common/texts.h"
#include "transfer/backupmanifest.h"
#include "transfer/limits.h"

namespace {

const char* const UndoLabel = QT_TRANSLATE_NOOP("Transfer", "Undo of %1");

}  // namespace

QString TSectionState::Text() const {
  if (!Known)
    return TTransferText::tr("content that could not be read back");
  if (Size == 0)
    return TTransferText::tr("nothing (empty)");
  // An entry written without a description still tells its size.
  const QString held = Description.isEmpty() ? BytesText(Size) : ShownSlotDescription(Description);
  //: %1 is what the section held ("< Data >, 36 bytes"), %2 the start of its SHA-256
  return TTransferText::tr("%1 (SHA-256 %2...)").arg(held, QString::fromLatin1(Sha256.left(12)));
}

QString UndoChangeLabel(const QString& id) {
  return QString::fromLatin1(UndoLabel).arg(id);
}

QString ChangeLabelText(const QString& recorded) {
  const QString undoHead = UndoChangeLabel(QString());
  if (recorded.startsWith(undoHead))
    return TTransferText::tr(UndoLabel).arg(recorded.mid(undoHead.size()));
  return TTransferText::tr(recorded.toUtf8().constData());
}

TSectionState StateOfBytes(const QByteArray& bytes) {
  if (bytes.isEmpty())
    return EmptyState();
  TSectionState state;
  state.Known = true;
  state.Size = bytes.size();
  state.Sha256 = Sha256Hex(bytes);
  state.Description = RecordedSlotDescription(
      ClassifySection(TSlotInfo(), qint32(bytes.size()), bytes.left(RecognitionBytes)));
  return state;
}

TSectionState EmptyState() {
  TSectionState state;
  state.Known = true;
  state.Description = RecordedSlotDescription(TSlotInfo());
  return state;
}

THistoryLine HistoryLineOf(const THistoryEntry& entry) {
  if (!entry.Problem.isEmpty())
    return {entry.Id, QString(), QString(), TTransferText::tr("damaged"), entry.Problem, QString()};
  const QString change = ChangeLabelText(entry.Change);
  return {entry.Id,
          entry.Time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
          entry.Address.Text(),
          entry.TakenBack ? TTransferText::tr("%1 (taken back)").arg(change) : change,
          entry.Before.Text(),
          entry.After.Known ? entry.After.Text()
                            : TTransferText::tr("not known: the change was interrupted")};
}

QString NotTakenBackText(const TSectionAddress& address, const QString& problem) {
  return TTransferText::tr("Section %1 was not taken back: %2").arg(address.Text(), problem);
}

QString TakenBackText(const THistoryEntry& entry) {
  //: %1 is the change's id, %2 the change ("Upload"), %3 the section, %4 what it holds.
  return TTransferText::tr("Took back change %1 (%2 of %3): the section holds %4 again")
      .arg(entry.Id, ChangeLabelText(entry.Change), entry.Address.Text(), entry.Before.Text());
}

QString NotRecordedText(const THistoryEntry& entry, const QString& why) {
  //: %1 is the change's id, %2 why the history could not be written.
  return TTransferText::tr(
             "The history could not record that change %1 was taken back (%2): it still lists "
             "it as standing")
      .arg(entry.Id, why);
}
