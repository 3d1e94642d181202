#include "cli/jsontext.h"

TJsonLine& TJsonLine::Add(const QString& key, const QString& text) {
  members_.append({key, JsonString(text)});
  return *this;
}

TJsonLine& TJsonLine::Add(const QString& key, const char* text) {
  return Add(key, QString::fromUtf8(text));
}

TJsonLine& TJsonLine::Add(const QString& key, qint64 number) {
  members_.append({key, QString::number(number)});
  return *this;
}

TJsonLine& TJsonLine::Add(const QString& key, bool value) {
  members_.append({key, value ? QStringLiteral("true") : QStringLiteral("false")});
  return *this;
}

TJsonLine& TJsonLine::Add(const QString& key, const QStringList& texts) {
  QStringList items;
  for (const QString& text : texts)
    items << JsonString(text);
  members_.append({key, QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']')});
  return *this;
}

TJsonLine& TJsonLine::Add(const QString& key, const QList<TJsonLine>& objects) {
  QStringList items;
  for (const TJsonLine& object : objects)
    items << object.Text();
  members_.append({key, QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']')});
  return *this;
}

QString TJsonLine::Text() const {
  QStringList parts;
  for (const auto& member : members_)
    parts << JsonString(member.first) + QStringLiteral(": ") + member.second;
  return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString JsonString(const QString& text) {
  QString out = QStringLiteral("\"");
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'"':
        out += QStringLiteral("\\\"");
        break;
      case u'\\':
        out += QStringLiteral("\\\\");
        break;
      case u'\n':
        out += QStringLiteral("\\n");
        break;
      case u'\r':
        out += QStringLiteral("\\r");
        break;
      case u'\t':
        out += QStringLiteral("\\t");
        break;
      default:
        if (c.unicode() < 0x20)
          out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
          out += c;
    }
  }
  return out + QLatin1Char('"');
}

QString JsonArrayOfLines(const QList<TJsonLine>& items) {
  if (items.isEmpty())
    return QStringLiteral("[]");
  QStringList lines;
  for (const TJsonLine& item : items)
    lines << QStringLiteral("  ") + item.Text();
  return QStringLiteral("[\n") + lines.join(QStringLiteral(",\n")) + QStringLiteral("\n]");
}
