#pragma once
// The command line of one kivnvm command: its options (flags and options with a value,
// "--name value" or "--name=value") and its positional arguments. After "--" every token is
// a positional argument, and an option's value is never read as an option.

#include <QMap>
#include <QSet>
#include <QStringList>

struct TOptionDef {
  QString Name;  // without the leading "--"
  bool TakesValue = false;
};

class TArgs {
 public:
  bool Has(const QString& name) const;
  // The option's value; the fallback when the option was not given.
  QString Value(const QString& name, const QString& fallback = QString()) const;
  const QStringList& Positional() const { return positional_; }

  // Throws TUsageError for an unknown or repeated option or a missing value.
  static TArgs Parse(const QStringList& tokens, const QList<TOptionDef>& options);
  // Throws TUsageError unless there are exactly count positional arguments.
  void RequirePositional(int count) const;

 private:
  QSet<QString> flags_;
  QMap<QString, QString> values_;
  QStringList positional_;
};
