#include "link/librarysearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// Where "gbp" is looked for, first to last. The executable's own folder comes first, as
// Windows searches for a DLL, so a library put beside the program always wins; then the
// system's library search, so a real phone-link library installed there wins over the
// virtual phone; then the private folder where an installed manager keeps the virtual phone.
QStringList LibrarySearchOrder() {
  const QString name = QStringLiteral("gbp");
  if (!QCoreApplication::instance())
    return {name};
  const QDir programDir(QCoreApplication::applicationDirPath());
  return {programDir.filePath(name), name,
          QDir::cleanPath(
              programDir.filePath(QStringLiteral(KIV_PRIVATE_LIBDIR_FROM_BINDIR "/") + name))};
}

QString HostProgramFile(const QString& name) {
  if (!QCoreApplication::instance())
    return name;
  const QDir programDir(QCoreApplication::applicationDirPath());
  const QString beside = programDir.filePath(name);
  const QString installed = QDir::cleanPath(
      programDir.filePath(QStringLiteral(KIV_PRIVATE_LIBDIR_FROM_BINDIR "/") + name));
  return QFileInfo::exists(beside) || !QFileInfo::exists(installed) ? beside : installed;
}

QStringList HostLibraryCandidates(const QString& chosen) {
  if (!chosen.isEmpty())
    return {chosen};
  QStringList files;
  for (const QString& candidate : LibrarySearchOrder()) {
    const QFileInfo info(candidate);
    const QString file = QStringLiteral("lib%1.so").arg(info.fileName());
    files << (candidate.contains(QLatin1Char('/')) ? info.dir().filePath(file) : file);
  }
  return files;
}
