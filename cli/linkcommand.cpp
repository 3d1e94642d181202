#include "cli/linkcommand.h"

#include <QFileInfo>

#include "cli/args.h"
#include "cli/console.h"
#include "cli/jsontext.h"
#include "cli/linkcommandfind.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "common/messages.h"
#include "common/texts.h"
#include "link/hostprotocol.h"
#include "link/libraryfile.h"
#include "link/linktest.h"
#include "link/serialdevice.h"
#include "link/winehost.h"
#include "settings/settingsfile.h"

namespace {

// The device named for a COM port, and what keeps the link from opening on it.
struct TSerialReport {
  QString Port;
  QString Device;
  QString Problem;  // empty: it passes the checks
};

struct TLinkReport {
  QString Library;
  bool DemoPhone = false;
  QString Kind;  // by the file's header; empty when the loader's search found none
  QString Runs;
  bool UnderWine = false;
  TWine Wine;
  QString WineVersion;  // empty when Wine cannot run
  QStringList Exports;
  QString ExportsNotChecked;  // why the exports are not known
  QList<TSerialReport> Serial;
  bool Usable = false;
  QString Problem;  // why it is not usable
  bool Tested = false;
  QString Port;
  bool Opened = false;
  bool Worked = false;
  QString TestOutcome;
};

TLinkReport Examine(TPhoneLink& link, const TPhoneOptions& options, bool test) {
  TGBPLibrary& library = link.Library();
  TLinkReport report;
  report.Usable = library.Load();
  report.Library = library.FileName();
  report.DemoPhone = library.DemoPhone();
  if (QFileInfo(report.Library).isFile())
    report.Kind = LibraryFileText(InspectLibraryFile(report.Library));
  report.Runs = library.HowItRuns();
  report.Problem = library.LoadProblem();
  report.UnderWine = library.UnderWine();
  if (report.UnderWine) {
    report.Wine = library.Wine();
    report.WineVersion = WineVersion(report.Wine);
  }
  report.ExportsNotChecked = library.ExportsNotChecked();
  for (int entry = 0; entry < linkhost::kEntryCount; ++entry) {
    if (library.Has(TGBPEntry(entry)))
      report.Exports << QLatin1String(linkhost::kEntryNames[entry]);
  }
  for (auto named = options.Link.Serial.cbegin(); named != options.Link.Serial.cend(); ++named)
    report.Serial << TSerialReport{PortName(named.key()), named.value(),
                                   CheckSerialDevice(named.key(), named.value()).Why};
  if (test && report.Usable) {
    report.Tested = true;
    report.Port = PortName(options.Port);
    // The window's Test link: the size of 2-18 is asked, nothing written.
    const TLinkTry tried = TryLink(link);
    report.Opened = tried.Opened;
    const TLinkTestOutcome outcome =
        tried.Opened ? OpenedLinkOutcome(options.Port, tried.Size) : TLinkTestOutcome{};
    report.Worked = outcome.Worked;
    report.TestOutcome = tried.Opened ? outcome.Text : link.OpenError();
  }
  return report;
}

void PrintWords(const TLinkReport& report) {
  if (report.DemoPhone)
    //: %1 is the library's file, %2 "demo phone"
    PrintOut(TCliText::tr("Library: %1 (%2)").arg(report.Library, DemoPhoneText()));
  else
    PrintOut(TCliText::tr("Library: %1").arg(report.Library));
  if (!report.Kind.isEmpty())
    PrintOut(TCliText::tr("Kind: %1").arg(report.Kind));
  //: %1 is how the library runs: "in this process", "in the link host"
  PrintOut(TCliText::tr("Runs: %1").arg(report.Runs));
  if (report.UnderWine) {
    QString wine = report.Wine.Loader;
    if (wine.isEmpty())
      wine = report.Wine.Only64 ? TCliText::tr("runs only 64-bit programs")
                                : TCliText::tr("not found");
    if (report.WineVersion.isEmpty()) {
      PrintOut(TCliText::tr("Wine: %1").arg(wine));
    } else {
      //: %1 is Wine's program, %2 its version: "wine-8.0 (Debian 8.0~repack-4)"
      PrintOut(TCliText::tr("Wine: %1 (%2)").arg(wine, report.WineVersion));
    }
    PrintOut(report.Wine.PrefixMade
                 ? TCliText::tr("Wine prefix: %1 (made)").arg(report.Wine.Prefix)
                 : TCliText::tr("Wine prefix: %1 (made at the first use)").arg(report.Wine.Prefix));
  }
  if (!report.ExportsNotChecked.isEmpty()) {
    //: %1 is why: "the link host did not start"
    PrintOut(TCliText::tr("Exports: not checked (%1)").arg(report.ExportsNotChecked));
  } else if (report.Exports.isEmpty()) {
    PrintOut(TCliText::tr("Exports: none"));
  } else {
    //: %1 lists the library's entry points: "InitGBPMode, EndGBPMode"
    PrintOut(TCliText::tr("Exports: %1").arg(report.Exports.join(QStringLiteral(", "))));
  }
  for (const TSerialReport& serial : report.Serial) {
    if (serial.Problem.isEmpty()) {
      //: %1 is the port: "COM1", %2 the device behind it
      PrintOut(TCliText::tr("%1: %2 (present, may be opened)").arg(serial.Port, serial.Device));
    } else {
      //: %1 is the port: "COM1", %2 the device behind it, %3 why it cannot be opened
      PrintOut(TCliText::tr("%1: %2 (%3)").arg(serial.Port, serial.Device, serial.Problem));
    }
  }
  PrintOut(report.Usable ? TCliText::tr("Usable: yes")
                         : TCliText::tr("Usable: no (%1)").arg(report.Problem));
  if (report.Tested)
    //: %1 is the port: "COM1", %2 the outcome, or the phone-link library's message
    PrintOut(TCliText::tr("Link test on %1: %2").arg(report.Port, report.TestOutcome));
}

void PrintJson(const TLinkReport& report) {
  TJsonLine json;
  json.Add(QStringLiteral("library"), report.Library);
  if (report.DemoPhone)
    json.Add(QStringLiteral("demoPhone"), true);
  if (!report.Kind.isEmpty())
    json.Add(QStringLiteral("kind"), report.Kind);
  json.Add(QStringLiteral("runs"), report.Runs).Add(QStringLiteral("exports"), report.Exports);
  if (!report.ExportsNotChecked.isEmpty())
    json.Add(QStringLiteral("exportsNotChecked"), report.ExportsNotChecked);
  json.Add(QStringLiteral("usable"), report.Usable);
  if (report.UnderWine) {
    json.Add(QStringLiteral("wine"), report.Wine.Loader)
        .Add(QStringLiteral("wineVersion"), report.WineVersion)
        .Add(QStringLiteral("winePrefix"), report.Wine.Prefix)
        .Add(QStringLiteral("winePrefixMade"), report.Wine.PrefixMade);
  }
  QList<TJsonLine> serial;
  for (const TSerialReport& named : report.Serial) {
    TJsonLine device;
    device.Add(QStringLiteral("port"), named.Port)
        .Add(QStringLiteral("device"), named.Device)
        .Add(QStringLiteral("ready"), named.Problem.isEmpty());
    if (!named.Problem.isEmpty())
      device.Add(QStringLiteral("problem"), named.Problem);
    serial << device;
  }
  json.Add(QStringLiteral("serial"), serial);
  if (!report.Usable)
    json.Add(QStringLiteral("problem"), report.Problem);
  if (report.Tested)
    json.Add(QStringLiteral("port"), report.Port)
        .Add(QStringLiteral("opened"), report.Opened)
        .Add(QStringLiteral("worked"), report.Worked)
        .Add(QStringLiteral("outcome"), report.TestOutcome);
  PrintOut(json.Text());
}

}  // namespace

int LinkCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  if (args.Has(QStringLiteral("find")))
    return FindPhoneCommand(args, options);
  if (!args.Positional().isEmpty())
    throw TUsageError(TCliText::tr("link takes devices only with --find"));
  TPhoneLink link(options);
  const TLinkReport report = Examine(link, options, args.Has(QStringLiteral("test")));
  if (args.Has(QStringLiteral("json")))
    PrintJson(report);
  else
    PrintWords(report);
  return StatusOf(report.Usable && (!report.Tested || report.Worked));
}
