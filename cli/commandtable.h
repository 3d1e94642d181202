#pragma once
// kivnvm's commands, one entry each: the parser, the help, the usage errors and the bash
// completion are all made from this table, so a command or an option is added in one place.

#include <QList>
#include <QString>
#include <functional>

#include "cli/args.h"

// What the shell offers for an option's value or for a command's operands.
enum class TCompletes { Nothing, Files, Folders, Ports, SerialMappings };

struct TCommandOption {
  TOptionDef Def;
  TCompletes Value = TCompletes::Nothing;  // for an option that takes one
};

constexpr int VariableOperands = -1;  // the command checks its operands itself, by form

// Summary and Details are the English sources, translated when shown; a synopsis is the
// command line itself and stays as it is.
struct TCommandEntry {
  QString Name;
  QString Synopsis;               // after "kivnvm "
  const char* Summary;            // its line in the overview
  const char* Details;            // its own help, its options' lines included
  QList<TCommandOption> Options;  // the phone options included where Phone is set
  bool Phone = false;             // works on the phone: takes the phone options
  bool WritableOnly = false;      // refuses sections outside the writable ones without --force:
                                  // its help names them
  int Operands = 0;               // or VariableOperands
  TCompletes OperandsAre = TCompletes::Files;
  std::function<int(const TArgs&)> Run;
};

// In the order the overview lists them.
const QList<TCommandEntry>& CommandTable();
// The command of that name; null for a name that is no command.
const TCommandEntry* FindCommand(const QString& name);
// How the phone and its link are reached, taken by every phone command.
const QList<TCommandOption>& PhoneOptions();

// The two switches of every command line.
const TOptionDef& HelpSwitch();
const TOptionDef& VersionSwitch();
// The command that shows the help of another: "kivnvm help get".
const QString& HelpCommandName();
