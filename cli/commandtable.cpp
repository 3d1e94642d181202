#include "cli/commandtable.h"

#include <QCoreApplication>

#include "cli/backup.h"
#include "cli/demo.h"
#include "cli/filecommands.h"
#include "cli/historycommands.h"
#include "cli/linkcommand.h"
#include "cli/manycommands.h"
#include "cli/phonecommands.h"

namespace {

TCommandOption Flag(const char* name) {
  return {{QString::fromLatin1(name), false}};
}

TCommandOption Valued(const char* name, TCompletes values = TCompletes::Nothing) {
  return {{QString::fromLatin1(name), true}, values};
}

// An entry's two flags, by name.
constexpr bool OnPhone = true;
constexpr bool OffPhone = false;
constexpr bool WritableOnly = true;
constexpr bool AnySection = false;

QList<TCommandOption> WithPhoneOptions(const QList<TCommandOption>& options) {
  return options + PhoneOptions();
}

}  // namespace

const QList<TCommandOption>& PhoneOptions() {
  static const QList<TCommandOption> options{
      {{QStringLiteral("port"), true}, TCompletes::Ports},
      Valued("slots"),
      Flag("progress"),
      Valued("link", TCompletes::Files),
      Flag("isolate"),
      Valued("timeout-factor"),
      {{QStringLiteral("serial"), true, QChar(), true}, TCompletes::SerialMappings}};
  return options;
}

const QList<TCommandEntry>& CommandTable() {
  static const TCommandOption json = Flag("json");
  static const TCommandOption icon = Valued("icon");
  static const TCommandOption firmware = Valued("firmware");
  static const TCommandOption firmwareIndex = Valued("firmware-index");
  static const TCommandOption force = Flag("force");
  static const TCommandOption dryRun = Flag("dry-run");
  static const QList<TCommandEntry> commands{
      {QStringLiteral("inspect"),
       QStringLiteral("inspect [--json] FILE"),
       QT_TRANSLATE_NOOP("Cli", "describe FILE as the manager describes a section"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Describes FILE as the manager describes a section holding exactly those bytes\n"
           "(with \"Additional info\" ticked). FILE may have any size: only its first 128\n"
           "bytes and its size are used, with a note when it is larger than any slot. A\n"
           "stream that does not end is counted up to 16 MiB.\n"
           "\n"
           "  --json    one JSON object: kind, caption, format_tag, label, icon_index,\n"
           "            compressed, unpacked_size, size"),
       {json},
       OffPhone,
       AnySection,
       1,
       TCompletes::Files,
       InspectCommand},
      {QStringLiteral("pack"),
       QStringLiteral("pack [--icon CODE] IN OUT"),
       QT_TRANSLATE_NOOP("Cli", "LZO container of IN, as the compressed upload writes it"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Writes the LZO container that \"Upload LZO-Compressed\" would store for IN, which\n"
           "holds at most 65,536 bytes.\n"
           "\n"
           "  --icon CODE    the icon chosen for a plain UFIF program: four hex digits from\n"
           "                 the icon list (default E852). ELF programs take their icon from\n"
           "                 their header, other data gets E852."),
       {icon},
       OffPhone,
       AnySection,
       2,
       TCompletes::Files,
       PackCommand},
      {QStringLiteral("unpack"),
       QStringLiteral("unpack IN OUT"),
       QT_TRANSLATE_NOOP("Cli", "the original file from an LZO container"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Gives back the original file from an LZO container; a damaged container is\n"
           "refused."),
       {},
       OffPhone,
       AnySection,
       2,
       TCompletes::Files,
       UnpackCommand},
      {QStringLiteral("convert"),
       QStringLiteral("convert [--firmware TEXT | --firmware-index N] IN OUT"),
       QT_TRANSLATE_NOOP("Cli", "UFIF 2.0 program to UFIF 2.1 for a firmware"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Converts a UFIF 2.0 program to UFIF 2.1 for a firmware. Standard output gets one\n"
           "line per word the conversion could not judge (standard error when OUT is \"-\").\n"
           "Any other file is refused: nothing is written and the exit status is 1.\n"
           "\n"
           "  --firmware TEXT      the firmware as typed into the manager's firmware field,\n"
           "                       e.g. \"0x37BDD8 - Z7 4.5.6/4\"\n"
           "  --firmware-index N   entry N of the firmware table, 0 by default;\n"
           "                       'kivnvm firmwares' lists the table"),
       {firmware, firmwareIndex},
       OffPhone,
       AnySection,
       2,
       TCompletes::Files,
       ConvertCommand},
      {QStringLiteral("prg3"),
       QStringLiteral("prg3 TEXT OUT"),
       QT_TRANSLATE_NOOP("Cli", "PRG3 library image from its text"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Builds the PRG3 library image from its text: RELEASE=n and one word per line (a\n"
           "hexadecimal number, a blank, a name). Each non-empty line that gives no word is\n"
           "named on standard error. More than 512 words: \"Can't uplod - library file too\n"
           "big!\"."),
       {},
       OffPhone,
       AnySection,
       2,
       TCompletes::Files,
       PRG3Command},
      {QStringLiteral("firmwares"),
       QStringLiteral("firmwares"),
       QT_TRANSLATE_NOOP("Cli", "the firmware table, with the indexes --firmware-index takes"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Lists the firmware table of the manager's conversion, one entry per line after\n"
           "its index, as --firmware-index of convert and put takes it."),
       {},
       OffPhone,
       AnySection,
       0,
       TCompletes::Nothing,
       FirmwaresCommand},
      {QStringLiteral("demo"),
       QStringLiteral("demo [--force] DIR"),
       QT_TRANSLATE_NOOP("Cli", "create a demo phone on COM1 of the virtual phone's store DIR"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Creates a demo phone on COM1 of the virtual phone's store DIR, in its folder DIR/COM1\n"
           "(DIR\\port1 on Windows): programs of every kind, a compressed program, a picture, a\n"
           "ringer, a picture pack, data, empty slots, both libraries and the preferences\n"
           "record. A port folder that holds anything is refused.\n"
           "\n"
           "  --force        replace the phone there (a folder, not a link) by a new one"),
       {force},
       OffPhone,
       AnySection,
       1,
       TCompletes::Folders,
       DemoCommand},
      {QStringLiteral("list"), QStringLiteral("list [--json] [--sizes-only]"),
       QT_TRANSLATE_NOOP("Cli", "every slot as the manager's grid shows it"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Every configured slot as the grid shows it after a full refresh: row, address,\n"
           "caption, size, compression ratio, FW label. As in the manager, a failure ends its\n"
           "slot range, and the exit status is 1.\n"
           "\n"
           "  --json         an array of 'inspect --json' objects with row and address added\n"
           "  --sizes-only   no reads, like the manager with \"Additional info\" unticked"),
       WithPhoneOptions({json, Flag("sizes-only")}), OnPhone, AnySection, 0, TCompletes::Files,
       ListCommand},
      {QStringLiteral("get"), QStringLiteral("get S-SS FILE | --all DIR | --into DIR S-SS..."),
       QT_TRANSLATE_NOOP("Cli", "the whole section into FILE, or many slots into DIR"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Reads the whole section into FILE; an empty section gives an empty file.\n"
           "\n"
           "  --all DIR      every configured slot that holds something into DIR (made when\n"
           "                 missing), one file each, named from the address and what the\n"
           "                 slot holds: \"18-9 Calculator.prg\", \"18-12.gif\"\n"
           "  --into DIR     the same for the sections named\n"
           "  --replace      replace the files of those names in DIR; else each is left as\n"
           "                 it is and named on stderr\n"
           "\n"
           "One slot that fails does not stop the others; a summary ends the work."),
       WithPhoneOptions({Flag("all"), Valued("into", TCompletes::Folders), Flag("replace")}),
       OnPhone, AnySection, VariableOperands, TCompletes::Files, GetAnyCommand},
      {QStringLiteral("put"),
       QStringLiteral(
           "put [--compress] [--icon CODE] [--convert [--firmware TEXT | --firmware-index N]]\n"
           "      [--force] S-SS FILE | --into-free [--from S-SS] [--dry-run] FILE..."),
       QT_TRANSLATE_NOOP("Cli", "upload FILE as the manager does, or files into the free slots"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Uploads FILE as the manager does: trailing Thumb filler (C0 46) dropped (not with\n"
           "--compress), refused with \"Can't uplod - file too big!\" above 2,048 bytes on a\n"
           "small slot or 65,536 elsewhere. It succeeds only when the phone then holds exactly\n"
           "the bytes written, and notes when the container is larger than FILE.\n"
           "\n"
           "  --compress           pack FILE in an LZO container first\n"
           "  --icon CODE          with --compress: the icon of a plain UFIF program (E852)\n"
           "  --convert            convert a UFIF 2.0 program to UFIF 2.1 first\n"
           "  --firmware TEXT      with --convert: the firmware as typed into the manager\n"
           "  --firmware-index N   with --convert: entry N of the firmware table, 0 by\n"
           "                       default; 'kivnvm firmwares' lists the table\n"
           "  --force              write a section outside the writable ones (see below)\n"
           "  --into-free          each FILE into the next free slot, in order; the plan is\n"
           "                       printed first (file -> slot, what it replaces, too big,\n"
           "                       compressed, converted). Slots that shrink are written\n"
           "                       first, so the phone does not run out of room on the way\n"
           "  --from S-SS          with --into-free: the first slot to fill (the first slot)\n"
           "  --dry-run            with --into-free: print the plan and write nothing"),
       WithPhoneOptions({Flag("compress"), icon, Flag("convert"), firmware, firmwareIndex, force,
                         Flag("into-free"), Valued("from"), dryRun}),
       OnPhone, WritableOnly, VariableOperands, TCompletes::Files, PutAnyCommand},
      {QStringLiteral("clear"), QStringLiteral("clear [--force] S-SS..."),
       QT_TRANSLATE_NOOP("Cli", "erase sections"),
       QT_TRANSLATE_NOOP("Cli",
                         "Erases the sections; no question is asked. With several, one that fails\n"
                         "does not stop the others, and a summary ends the work.\n"
                         "\n"
                         "  --force        erase a section outside the writable ones (see below)"),
       WithPhoneOptions({force}), OnPhone, WritableOnly, VariableOperands, TCompletes::Files,
       ClearAnyCommand},
      {QStringLiteral("backup"), QStringLiteral("backup DIR"),
       QT_TRANSLATE_NOOP("Cli", "every slot and 2-16, 2-17, 2-18 into a new folder"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Reads every configured slot and sections 2-16, 2-17 and 2-18 into DIR, which must\n"
           "be new or empty: one file per section and manifest.json. A section that cannot be\n"
           "read is reported, recorded as missing, and makes the exit status 1; a read that\n"
           "fails or falls short ends the backup there. At the end every size is asked again:\n"
           "a complete backup whose sizes held says \"verified\", one whose sizes changed says\n"
           "\"inconsistent\" and makes the exit status 1."),
       PhoneOptions(), OnPhone, AnySection, 1, TCompletes::Folders, BackupCommand},
      {QStringLiteral("restore"),
       QStringLiteral("restore [--dry-run] [--only S-SS,...] [--clear-missing] DIR"),
       QT_TRANSLATE_NOOP("Cli", "write back what differs from a backup"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Checks every file of the backup against its SHA-256 first, then clears the\n"
           "sections the backup records as empty and writes those whose content differs,\n"
           "each checked by reading it back. A backup that is incomplete, inconsistent or\n"
           "not verified clears nothing unless asked.\n"
           "\n"
           "  --dry-run         list what a restore would change and write nothing\n"
           "  --only S-SS,...   restore just the sections named\n"
           "  --clear-missing   clear what such a backup records as empty all the same\n"
           "\n"
           "A change kept in the history is a backup folder too: 'kivnvm history' names it."),
       WithPhoneOptions({dryRun, Valued("only"), Flag("clear-missing")}), OnPhone, AnySection, 1,
       TCompletes::Folders, RestoreCommand},
      {QStringLiteral("link"), QStringLiteral("link [--json] [--test | --find [DEVICE...]]"),
       QT_TRANSLATE_NOOP("Cli", "the phone-link library, how it runs, what it exports"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Tells the phone-link library that will be used, its kind by its header, how it\n"
           "runs (in this process, in the link host, or in the 32-bit or 64-bit link host\n"
           "under Wine) and which of the six exports it has; for a Windows library also the\n"
           "Wine loader it uses, its version when it can run, and the Wine prefix. Nothing\n"
           "is sent to the phone, and the prefix's serial mapping is left as it is, unless\n"
           "--test or --find is given.\n"
           "\n"
           "  --json    one JSON object: library, kind, runs, exports, usable, problem; for\n"
           "            a Windows library wine, wineVersion, winePrefix, winePrefixMade;\n"
           "            with --test also port, opened, outcome; with --find port, devices\n"
           "            (device, description, result, text, detail) and answering\n"
           "  --test    open the link on the port and close it again at once, and tell the\n"
           "            outcome as the manager does (\"GBP Error: No AT response!\"); nothing\n"
           "            is read or written\n"
           "  --find    which serial device is the cable: for each DEVICE (default: every\n"
           "            serial device present) put it behind the port, open the link, ask\n"
           "            the size of 2-18 and close; nothing is written. Each device is told\n"
           "            as \"answers (2-18 holds 12 bytes)\", \"no answer\", \"may not be\n"
           "            opened (group dialout)\" or \"busy\"; exit status 0 when one\n"
           "            answered. A Windows library under Wine only: a Linux library picks\n"
           "            its device itself"),
       WithPhoneOptions({json, Flag("test"), Flag("find")}), OnPhone, AnySection, VariableOperands,
       TCompletes::Files, LinkCommand},
      {QStringLiteral("history"),
       QStringLiteral("history [--json]"),
       QT_TRANSLATE_NOOP("Cli", "the changes kept before they replaced a section"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Lists the history, oldest first: before an upload, convert, clear, library upload,\n"
           "preferences update, restore or undo replaces or erases a section that holds\n"
           "something, the section is kept in $XDG_DATA_HOME/kiv-manager/history (the last\n"
           "200 changes, at most 64 MB). Each line: id, time, section, change, what the\n"
           "section held before and what the change left there. [History] Keep=0 in the\n"
           "manager's settings file turns the history off.\n"
           "\n"
           "  --json    an array of objects: id, folder, time, change, address, before,\n"
           "            before_size, before_sha256, after, after_size, after_sha256, finished,\n"
           "            taken_back (an undo has written back what it replaced)"),
       {json},
       OffPhone,
       AnySection,
       0,
       TCompletes::Files,
       HistoryCommand},
      {QStringLiteral("undo"), QStringLiteral("undo [ID]"),
       QT_TRANSLATE_NOOP("Cli", "take back a change of the history, the last one by default"),
       QT_TRANSLATE_NOOP(
           "Cli",
           "Writes back what the section held before change ID (by default the last change\n"
           "not taken back yet), checked by reading it back. Refused, with nothing written,\n"
           "when the section no longer holds what the change left there (size and SHA-256),\n"
           "or when the kept copy does not match its SHA-256. The undo is a change of its own."),
       PhoneOptions(), OnPhone, AnySection, VariableOperands, TCompletes::Files, UndoCommand},
  };
  return commands;
}

const TCommandEntry* FindCommand(const QString& name) {
  for (const TCommandEntry& command : CommandTable()) {
    if (command.Name == name)
      return &command;
  }
  return nullptr;
}

const TOptionDef& HelpSwitch() {
  static const TOptionDef help{QStringLiteral("help"), false, QLatin1Char('h')};
  return help;
}

const TOptionDef& VersionSwitch() {
  static const TOptionDef version{QStringLiteral("version"), false};
  return version;
}

const QString& HelpCommandName() {
  static const QString name = QStringLiteral("help");
  return name;
}
