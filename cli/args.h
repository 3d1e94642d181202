#pragma once
// The command line of kivnvm: options (flags and options with a value, "--name value" or
// "--name=value", a few with a one-letter form "-h") and operands, in any order. After "--"
// every token is an operand, "-" alone is an operand, and an option's value is never read
// as an option.

#include <QMap>
#include <QSet>
#include <QStringList>

struct TOptionDef {
  TOptionDef(QString name, bool takesValue, QChar shortName = QChar(), bool repeats = false)
      : Name(std::move(name)), TakesValue(takesValue), Short(shortName), Repeats(repeats) {}
  QString Name;  // without the leading "--"
  bool TakesValue;
  QChar Short;   // the one-letter form after "-", if any
  bool Repeats;  // may be given more than once, each value kept
};

class TArgs {
 public:
  bool Has(const QString& name) const;
  // The option's value; the fallback when the option was not given.
  QString Value(const QString& name, const QString& fallback = QString()) const;
  // Every value of an option that repeats, in the order given.
  QStringList Values(const QString& name) const;
  // The names of the options given.
  QStringList Given() const;
  const QStringList& Positional() const { return positional_; }
  // Removes the first operand (the command's name) and returns it; empty when there is none.
  QString TakeFirstPositional();

  // Throws TUsageError for an unknown or repeated option or a missing value.
  static TArgs Parse(const QStringList& tokens, const QList<TOptionDef>& options);

 private:
  void Add(const TOptionDef& option, const QStringList& tokens, int& i, int equals);

  QSet<QString> flags_;
  QMap<QString, QString> values_;
  QMap<QString, QStringList> repeated_;
  QStringList positional_;
};
