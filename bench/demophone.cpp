#include "bench/demophone.h"

#include <QDir>
#include <QFile>

#include "cli/demosections.h"

bool PutDemoPhone(const QString& store, const QString& port, int longerBy) {
  const QDir folder(QDir(store).filePath(port));
  if (!QDir().mkpath(folder.path()))
    return false;
  for (const TDemoSection& section : DemoSections()) {
    const QByteArray bytes = section.Bytes + QByteArray(longerBy, '\0');
    QFile file(folder.filePath(section.Address.Text()));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
      return false;
  }
  return true;
}
