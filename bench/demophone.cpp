#include "bench/demophone.h"

#include <QDir>
#include <QFile>

#include "cli/demosections.h"

bool PutDemoPhone(const QString& store) {
  const QDir port(QDir(store).filePath(QStringLiteral("COM1")));
  if (!QDir().mkpath(port.path()))
    return false;
  for (const TDemoSection& section : DemoSections()) {
    QFile file(port.filePath(section.Address.Text()));
    if (!file.open(QIODevice::WriteOnly) || file.write(section.Bytes) != section.Bytes.size())
      return false;
  }
  return true;
}
