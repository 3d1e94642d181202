#include "cli/historycommands.h"

#include "catalogue/ops/refreshslots.h"
#include "cli/args.h"
#include "cli/clifaces.h"
#include "cli/console.h"
#include "cli/jsontext.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "common/texts.h"
#include "settings/settingsfile.h"
#include "transfer/ops/historystore.h"
#include "transfer/ops/undo.h"

namespace {

THistoryStore Store(const THistoryConfig& config) {
  if (config.Dir.isEmpty())
    throw TCommandFailed(TCliText::tr("The history is turned off ([History] Keep=0 in %1)")
                             .arg(ManagerSettingsPath()));
  return THistoryStore(config);
}

void AddState(TJsonLine& json, const QString& name, const TSectionState& state) {
  if (!state.Known)
    return;
  json.Add(name + QStringLiteral("_size"), state.Size)
      .Add(name + QStringLiteral("_sha256"), QString::fromLatin1(state.Sha256))
      .Add(name, state.Description);
}

TJsonLine EntryJson(const THistoryEntry& entry) {
  TJsonLine json;
  json.Add(QStringLiteral("id"), entry.Id).Add(QStringLiteral("folder"), entry.Dir);
  if (!entry.Problem.isEmpty())
    return json.Add(QStringLiteral("error"), entry.Problem);
  json.Add(QStringLiteral("time"), entry.Time.toString(Qt::ISODate))
      .Add(QStringLiteral("change"), entry.Change)
      .Add(QStringLiteral("address"), entry.Address.Text());
  AddState(json, QStringLiteral("before"), entry.Before);
  AddState(json, QStringLiteral("after"), entry.After);
  json.Add(QStringLiteral("finished"), entry.After.Known)
      .Add(QStringLiteral("taken_back"), entry.TakenBack);
  return json;
}

QString EntryText(const THistoryEntry& entry) {
  const THistoryLine line = HistoryLineOf(entry);
  if (!entry.Problem.isEmpty())
    return QStringLiteral("%1 %2: %3").arg(line.Id, -4).arg(line.Change, line.Before);
  return QStringLiteral("%1 %2 %3 %4: %5 -> %6")
      .arg(line.Id, -4)
      .arg(line.Time)
      .arg(line.Section, -6)
      .arg(line.Change, line.Before, line.After);
}

}  // namespace

int HistoryCommand(const TArgs& args) {
  const QList<THistoryEntry> entries =
      Store(CheckedSettings(ManagerSettingsPath()).History).Entries();
  if (args.Has(QStringLiteral("json"))) {
    QList<TJsonLine> json;
    for (const THistoryEntry& entry : entries)
      json << EntryJson(entry);
    PrintOut(JsonArrayOfLines(json));
    return exitOk;
  }
  for (const THistoryEntry& entry : entries)
    PrintOut(EntryText(entry));
  return exitOk;
}

int UndoCommand(const TArgs& args) {
  if (args.Positional().size() > 1)
    throw TUsageError(TCliText::tr("undo takes at most one change"));
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const THistoryStore store = Store(options.History);
  const QString id = args.Positional().isEmpty() ? QString() : args.Positional().first();
  TSlotTable table{};
  TCatalogue catalogue{table, options.Ranges, true};
  TPhoneLink link(options);
  TCliReporter reporter(false);
  const TUndoResult result = Undo(link, catalogue, store, id, reporter);
  PrintNotKept(result.NotKept);
  const THistoryEntry& entry = result.Entry;
  switch (result.State) {
    case TUndoResult::NothingToUndo:
    case TUndoResult::Unusable:
    case TUndoResult::Refused:
      throw TCommandFailed(result.Problem);
    case TUndoResult::NoLink:
      throw TCommandFailed(link.OpenError());
    case TUndoResult::Failed:
      throw TCommandFailed(NotTakenBackText(entry.Address, result.Problem));
    case TUndoResult::Undone:
      break;
  }
  PrintErr(TakenBackText(entry));
  if (!result.NotRecorded.isEmpty())
    throw TCommandFailed(NotRecordedText(entry, result.NotRecorded));
  return exitOk;
}
