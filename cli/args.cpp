#include "cli/args.h"

#include "cli/console.h"

namespace {

const TOptionDef* FindOption(const QList<TOptionDef>& options, const QString& name) {
  for (const TOptionDef& option : options) {
    if (option.Name == name)
      return &option;
  }
  return nullptr;
}

}  // namespace

bool TArgs::Has(const QString& name) const {
  return flags_.contains(name) || values_.contains(name);
}

QString TArgs::Value(const QString& name, const QString& fallback) const {
  return values_.value(name, fallback);
}

TArgs TArgs::Parse(const QStringList& tokens, const QList<TOptionDef>& options) {
  TArgs args;
  bool optionsEnded = false;
  for (int i = 0; i < tokens.size(); ++i) {
    const QString& token = tokens[i];
    if (optionsEnded || !token.startsWith(QLatin1String("--"))) {
      args.positional_ << token;
      continue;
    }
    if (token == QLatin1String("--")) {
      optionsEnded = true;
      continue;
    }
    const int equals = token.indexOf(QLatin1Char('='));
    const QString name = token.mid(2, equals < 0 ? -1 : equals - 2);
    const TOptionDef* option = FindOption(options, name);
    if (!option)
      throw TUsageError(QStringLiteral("unknown option --%1").arg(name));
    if (args.Has(name))
      throw TUsageError(QStringLiteral("--%1 given twice").arg(name));
    if (!option->TakesValue) {
      if (equals >= 0)
        throw TUsageError(QStringLiteral("--%1 takes no value").arg(name));
      args.flags_.insert(name);
    } else if (equals >= 0) {
      args.values_.insert(name, token.mid(equals + 1));
    } else if (i + 1 < tokens.size()) {
      args.values_.insert(name, tokens[++i]);
    } else {
      throw TUsageError(QStringLiteral("--%1 needs a value").arg(name));
    }
  }
  return args;
}

void TArgs::RequirePositional(int count) const {
  if (positional_.size() != count) {
    throw TUsageError(
        QStringLiteral("expected %1 argument(s), got %2").arg(count).arg(positional_.size()));
  }
}
