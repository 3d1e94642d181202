#include "cli/linkcommand.h"

#include "cli/args.h"
#include "cli/console.h"
#include "cli/jsontext.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "link/hostprotocol.h"
#include "settings/settingsfile.h"

namespace {

struct TLinkReport {
  QString Library;
  QString Runs;
  QStringList Exports;
  bool Usable = false;
  QString Problem;  // why it is not usable
  bool Tested = false;
  QString Port;
  QString TestOutcome;  // empty: the link opened and closed
};

TLinkReport Examine(TPhoneLink& link, const TPhoneOptions& options, bool test) {
  TGBPLibrary& library = link.Library();
  TLinkReport report;
  report.Usable = library.Load();
  report.Library = library.FileName();
  report.Runs = library.HowItRuns();
  report.Problem = library.LoadProblem();
  for (int entry = 0; entry < linkhost::kEntryCount; ++entry) {
    if (library.Has(TGBPEntry(entry)))
      report.Exports << QLatin1String(linkhost::kEntryNames[entry]);
  }
  if (test && report.Usable) {
    report.Tested = true;
    report.Port = PortName(options.Port);
    // Opened and closed at once: nothing is read from the phone, nothing written.
    const TLinkSession session(link);
    if (!session.IsOpen())
      report.TestOutcome = link.OpenError();
  }
  return report;
}

void PrintWords(const TLinkReport& report) {
  PrintOut(QStringLiteral("Library: %1").arg(report.Library));
  PrintOut(QStringLiteral("Runs: %1").arg(report.Runs));
  PrintOut(QStringLiteral("Exports: %1")
               .arg(report.Exports.isEmpty() ? QStringLiteral("none")
                                             : report.Exports.join(QStringLiteral(", "))));
  PrintOut(report.Usable ? QStringLiteral("Usable: yes")
                         : QStringLiteral("Usable: no (%1)").arg(report.Problem));
  if (report.Tested)
    PrintOut(QStringLiteral("Link test on %1: %2")
                 .arg(report.Port, report.TestOutcome.isEmpty()
                                       ? QStringLiteral("the link opened and closed")
                                       : report.TestOutcome));
}

void PrintJson(const TLinkReport& report) {
  TJsonLine json;
  json.Add(QStringLiteral("library"), report.Library)
      .Add(QStringLiteral("runs"), report.Runs)
      .Add(QStringLiteral("exports"), report.Exports)
      .Add(QStringLiteral("usable"), report.Usable);
  if (!report.Usable)
    json.Add(QStringLiteral("problem"), report.Problem);
  if (report.Tested)
    json.Add(QStringLiteral("port"), report.Port)
        .Add(QStringLiteral("opened"), report.TestOutcome.isEmpty())
        .Add(QStringLiteral("outcome"), report.TestOutcome);
  PrintOut(json.Text());
}

}  // namespace

int LinkCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  TPhoneLink link(options.Port, options.PortOrigin, options.Link);
  const TLinkReport report = Examine(link, options, args.Has(QStringLiteral("test")));
  if (args.Has(QStringLiteral("json")))
    PrintJson(report);
  else
    PrintWords(report);
  return report.Usable && report.TestOutcome.isEmpty() ? exitOk : exitFailed;
}
