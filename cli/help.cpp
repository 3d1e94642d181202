#include "cli/help.h"

#include "cli/commandtable.h"
#include "cli/console.h"
#include "common/texts.h"

namespace {

QString PhoneOptionsText() {
  return TCliText::tr(
      "Phone options:\n"
      "  --port COM1..COM4    default: COM-Port of the manager's settings file, else COM1\n"
      "  --slots FIRSTBIG-LASTBIG,FIRSTSMALL-LASTSMALL\n"
      "                       default: the ranges of the manager's settings file, else\n"
      "                       9-29,10-14\n"
      "  --progress           progress on stderr even when it is not a terminal: the sections\n"
      "                       of list, backup and restore, the running time of get and put\n"
      "  --link FILE          the phone-link library for this run; default: Library= of the\n"
      "                       settings file's [Link], else the manager's search order. A\n"
      "                       Windows DLL, 32-bit or 64-bit, runs in the Windows link host of\n"
      "                       its width under Wine (WINELOADER, else for 64 bits wine64, else\n"
      "                       wine; prefix: WINEPREFIX, else $XDG_DATA_HOME/kiv-manager/wine)\n"
      "  --isolate            run the library in the link host, a process of its own, where\n"
      "                       every call has a deadline and a crash ends only the host\n"
      "                       (default: Isolate= of [Link], else off)\n"
      "  --timeout-factor N   scale the link host's deadlines (15 s a call, plus the time\n"
      "                       its bytes take at 2,400 baud) by N; default: Timeout= of\n"
      "                       [Link], else 1\n"
      "  --serial COMn=DEVICE the serial device behind a COM port, COM1=/dev/ttyUSB0; once\n"
      "                       for each port. Checked before the link opens (missing device,\n"
      "                       no permission); default: COM1= ... COM4= of [Link]");
}

QString WritableText() {
  return TCliText::tr(
      "Writable sections: put and clear write only where the manager's window can, the\n"
      "configured slots (18-9..18-29 and 2-10..2-14 by default) and the sections of the\n"
      "libraries and the preferences record, 2-16, 2-17 and 2-18. Elsewhere the phone keeps\n"
      "its own data: they refuse, naming the writable sections, unless --force is given.");
}

QString OperandsText() {
  return TCliText::tr(
      "Options may stand before or after the command; after \"--\" every word is an operand.\n"
      "A FILE, IN, OUT or TEXT of \"-\" is standard input or output.");
}

QString ExitStatusText() {
  return TCliText::tr("Exit status: 0 done, 1 failed, 2 the command line was not understood.");
}

// The overview's line: the synopsis, and the summary in a column of its own.
QString OverviewLine(const TCommandEntry& help) {
  constexpr int SummaryColumn = 34;
  const QString synopsis = QStringLiteral("  ") + help.Synopsis.simplified();
  if (synopsis.size() < SummaryColumn)
    return synopsis.leftJustified(SummaryColumn) + TCliText::tr(help.Summary);
  return synopsis + QLatin1Char('\n') + QString(SummaryColumn, QLatin1Char(' ')) +
         TCliText::tr(help.Summary);
}

QString OverviewOf(bool phone) {
  QStringList lines;
  for (const TCommandEntry& help : CommandTable()) {
    if (help.Phone == phone)
      lines << OverviewLine(help);
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

QString UsageText() {
  //: %1 and %2 are the lists of commands, %3 to %6 the paragraphs of the options, the
  //: writable sections, the operands and the exit status.
  return TCliText::tr(
             "Usage: kivnvm COMMAND [OPTIONS] ARGUMENTS\n"
             "       kivnvm help COMMAND    the command's help, as 'kivnvm COMMAND --help'\n"
             "\n"
             "Files:\n%1\n"
             "\n"
             "Phone (sections written S-SS, e.g. 18-9 or 02-10):\n%2\n"
             "\n"
             "%3\n"
             "\n"
             "%4\n"
             "\n"
             "%5\n"
             "\n"
             "  -h, --help, --version\n"
             "\n"
             "%6")
      .arg(OverviewOf(false), OverviewOf(true), PhoneOptionsText(), WritableText(), OperandsText(),
           ExitStatusText());
}

QString CommandHelpText(const QString& name) {
  const TCommandEntry* help = FindCommand(name);
  if (!help)
    return {};
  //: %1 is the command line of a command: "get S-SS FILE".
  QString text = TCliText::tr("Usage: kivnvm %1").arg(help->Synopsis) + QStringLiteral("\n\n") +
                 TCliText::tr(help->Details) + QLatin1Char('\n');
  if (help->WritableOnly)
    text += QLatin1Char('\n') + WritableText() + QLatin1Char('\n');
  if (help->Phone)
    text += QLatin1Char('\n') + PhoneOptionsText() + QLatin1Char('\n');
  return text + QLatin1Char('\n') + OperandsText() + QStringLiteral("\n\n") + ExitStatusText();
}

void ThrowUsageOf(const QString& name) {
  throw TUsageError(TCliText::tr("usage: kivnvm %1").arg(SynopsisOf(name)));
}

QString SynopsisOf(const QString& name) {
  const TCommandEntry* help = FindCommand(name);
  return help ? help->Synopsis.simplified() : name;
}
