#include "cli/historycommands.h"

#include "catalogue/ops/refreshslots.h"
#include "cli/args.h"
#include "cli/clifaces.h"
#include "cli/console.h"
#include "cli/jsontext.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "common/texts.h"
#include "transfer/history.h"
#include "transfer/ops/undo.h"

namespace {

THistoryStore Store() {
  const THistoryConfig config = CurrentHistoryConfig();
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
  if (!entry.Problem.isEmpty()) {
    //: %1 is the change's id, %2 why its record cannot be used.
    return TCliText::tr("%1 damaged: %2").arg(entry.Id, -4).arg(entry.Problem);
  }
  const QString after =
      entry.After.Known ? entry.After.Text() : TCliText::tr("(unfinished: not known)");
  const QString change = ChangeLabelText(entry.Change);
  return QStringLiteral("%1 %2 %3 %4: %5 -> %6")
      .arg(entry.Id, -4)
      .arg(entry.Time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))
      .arg(entry.Address.Text(), -6)
      //: %1 is the change: "upload", "clear"...
      .arg(entry.TakenBack ? TCliText::tr("%1 (taken back)").arg(change) : change,
           entry.Before.Text(), after);
}

}  // namespace

int HistoryCommand(const TArgs& args) {
  const QList<THistoryEntry> entries = Store().Entries();
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
  const THistoryStore store = Store();
  const QString id = args.Positional().isEmpty() ? LastChange(store).Id : args.Positional().first();
  TSlotTable table{};
  TCatalogue catalogue{table, options.Ranges, true};
  TPhoneLink link(options);
  TCliReporter reporter(false);
  const TUndoResult result = Undo(link, catalogue, store, id, reporter);
  const THistoryEntry& entry = result.Entry;
  switch (result.State) {
    case TUndoResult::NoLink:
      throw TCommandFailed(link.OpenError());
    case TUndoResult::Refused:
      throw TCommandFailed(result.Problem);
    case TUndoResult::Failed:
      throw TCommandFailed(
          TCliText::tr("Section %1 not taken back: %2").arg(entry.Address.Text(), result.Problem));
    case TUndoResult::Undone:
      break;
  }
  //: %1 is the change's id, %2 the change ("upload"), %3 the section, %4 what it holds.
  PrintErr(
      TCliText::tr("Took back change %1 (%2 of %3): the section holds %4 again")
          .arg(entry.Id, ChangeLabelText(entry.Change), entry.Address.Text(), entry.Before.Text()));
  return exitOk;
}
