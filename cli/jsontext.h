#pragma once
// JSON objects whose keys keep the order they were added in, written on one line as
// {"kind": "program", "size": 3000}, so the output reads like the documentation.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class TJsonLine {
 public:
  TJsonLine& Add(const QString& key, const QString& text);
  // Without this one a string literal would take the bool overload.
  TJsonLine& Add(const QString& key, const char* text);
  TJsonLine& Add(const QString& key, qint64 number);
  TJsonLine& Add(const QString& key, bool value);
  // An array of strings.
  TJsonLine& Add(const QString& key, const QStringList& texts);
  // An array of objects.
  TJsonLine& Add(const QString& key, const QList<TJsonLine>& objects);
  QString Text() const;

 private:
  QList<QPair<QString, QString>> members_;  // key, value already written as JSON
};

// A JSON string literal: quotes, backslashes and control characters escaped.
QString JsonString(const QString& text);

// "[\n  {...},\n  {...}\n]"
QString JsonArrayOfLines(const QList<TJsonLine>& items);
