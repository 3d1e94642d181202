#pragma once
// What kivnvm tells its caller: data on stdout, messages on stderr, and the exit status.

#include <QString>
#include <QtGlobal>

// The exit statuses and the ways a command ends, for every file that tells the caller.
#include "cli/ending.h"

class Exception;

// One line each, UTF-8. Every message on stderr starts with "kivnvm: ", so it can be told
// from other programs' in a script's log.
void PrintOut(const QString& line);
void PrintErr(const QString& message);
// A second line of a message for PrintErr, with its own "kivnvm: ".
QString NextErrLine(const QString& line);
// A framework error's message, with the system's reason when it has one: "Cannot open file
// x: No such file or directory".
QString ErrorText(const Exception& error);
// Qt's own warnings, as kivnvm's messages.
void PrintQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message);

// Progress on a terminal: the message replaces the line it is on, which stays open until
// EndErrLine.
void RewriteErrLine(const QString& message);
void EndErrLine();

bool StderrIsTerminal();

// The columns a terminal gives the text: combining marks take none, East Asian wide and
// full-width characters (and emoji) two, every other character one.
int DisplayWidth(const QString& text);
// The text followed by blanks up to width columns; a wider text is left as it is.
QString PadToWidth(const QString& text, int width);
