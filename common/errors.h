#pragma once
// The errors that the framework raises (conversion, file access, settings file) and the one
// place where a command catches them and shows the application's error box.

#include <QString>
#include <exception>
#include <functional>

class Exception : public std::exception {
 public:
  explicit Exception(QString message, QString reason = QString());
  const QString& Message() const { return message_; }
  // The system's reason behind a file error ("No such file or directory"), or empty. The
  // window shows the message alone; kivnvm adds the reason.
  const QString& Reason() const { return reason_; }
  const char* what() const noexcept override { return utf8_.constData(); }

 private:
  QString message_;
  QString reason_;
  QByteArray utf8_;
};

// "'%s' is not a valid integer value"
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  static EConvertError NotAnInteger(const QString& text);
};

// "Cannot open file %s"
class EFOpenError : public Exception {
 public:
  explicit EFOpenError(const QString& fileName, const QString& reason = QString());
};

// "Cannot create file %s"
class EFCreateError : public Exception {
 public:
  explicit EFCreateError(const QString& fileName, const QString& reason = QString());
};

// "Unable to write to %s"
class EIniFileException : public Exception {
 public:
  explicit EIniFileException(const QString& fileName);
};

// The error box adds a full stop when the message's last character sorts after '.'.
QString WithFullStop(const QString& message);

// Runs one user command; an exception it raises ends the command and is shown in the
// application's error box (through the modal-interaction interface). Call it where a
// command is dispatched, so no exception ever crosses a Qt signal.
void GuardCommand(const std::function<void()>& command);
