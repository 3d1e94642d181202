#pragma once
// What kivnvm tells its caller: data on stdout, messages on stderr, and the exit status.

#include <QString>
#include <QtGlobal>
#include <stdexcept>

class Exception;

enum TExitStatus { exitOk = 0, exitFailed = 1, exitUsage = 2 };

// The command line was not understood: the message is followed by a hint at --help.
class TUsageError : public std::runtime_error {
 public:
  explicit TUsageError(const QString& message);
  QString Message() const { return QString::fromUtf8(what()); }
};

// The command could not do its work: the message says why; nothing was written.
class TCommandFailed : public std::runtime_error {
 public:
  explicit TCommandFailed(const QString& message);
  QString Message() const { return QString::fromUtf8(what()); }
};

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
