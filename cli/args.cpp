#include "cli/args.h"

#include "cli/console.h"
#include "common/texts.h"

namespace {

const TOptionDef* FindOption(const QList<TOptionDef>& options, const QString& name) {
  for (const TOptionDef& option : options) {
    if (option.Name == name)
      return &option;
  }
  return nullptr;
}

const TOptionDef* FindShortOption(const QList<TOptionDef>& options, const QString& letter) {
  for (const TOptionDef& option : options) {
    if (!option.Short.isNull() && letter == option.Short)
      return &option;
  }
  return nullptr;
}

bool IsOperand(const QString& token) {
  return !token.startsWith(QLatin1Char('-')) || token == QLatin1String("-");
}

}  // namespace

bool TArgs::Has(const QString& name) const {
  return flags_.contains(name) || values_.contains(name) || repeated_.contains(name);
}

QString TArgs::Value(const QString& name, const QString& fallback) const {
  return values_.value(name, fallback);
}

QStringList TArgs::Values(const QString& name) const {
  return repeated_.value(name);
}

QStringList TArgs::Given() const {
  return flags_.values() + values_.keys() + repeated_.keys();
}

QString TArgs::TakeFirstPositional() {
  return positional_.isEmpty() ? QString() : positional_.takeFirst();
}

TArgs TArgs::Parse(const QStringList& tokens, const QList<TOptionDef>& options) {
  TArgs args;
  bool optionsEnded = false;
  for (int i = 0; i < tokens.size(); ++i) {
    const QString& token = tokens[i];
    if (optionsEnded || IsOperand(token)) {
      args.positional_ << token;
    } else if (token == QLatin1String("--")) {
      optionsEnded = true;
    } else if (!token.startsWith(QLatin1String("--"))) {
      const TOptionDef* option = FindShortOption(options, token.mid(1));
      if (!option)
        throw TUsageError(TCliText::tr("unknown option %1").arg(token));
      args.Add(*option, tokens, i, -1);
    } else {
      const int equals = int(token.indexOf(QLatin1Char('=')));
      const QString name = token.mid(2, equals < 0 ? -1 : equals - 2);
      const TOptionDef* option = FindOption(options, name);
      if (!option)
        throw TUsageError(TCliText::tr("unknown option --%1").arg(name));
      args.Add(*option, tokens, i, equals);
    }
  }
  return args;
}

// The option at tokens[i]; its value follows "=" at equals, or is the next token.
void TArgs::Add(const TOptionDef& option, const QStringList& tokens, int& i, int equals) {
  const QString& name = option.Name;
  if (Has(name) && !option.Repeats)
    throw TUsageError(TCliText::tr("--%1 given twice").arg(name));
  if (!option.TakesValue) {
    if (equals >= 0)
      throw TUsageError(TCliText::tr("--%1 takes no value").arg(name));
    flags_.insert(name);
    return;
  }
  QString value;
  if (equals >= 0)
    value = tokens[i].mid(equals + 1);
  else if (i + 1 < tokens.size())
    value = tokens[++i];
  else
    throw TUsageError(TCliText::tr("--%1 needs a value").arg(name));
  if (option.Repeats)
    repeated_[name] << value;
  else
    values_.insert(name, value);
}
