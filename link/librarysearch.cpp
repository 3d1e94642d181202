#include "link/librarysearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "common/texts.h"
#include "link/libraryfile.h"

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

QString FirstNamedLibraryFile() {
  QStringList files;
  if (QCoreApplication::instance()) {
    const QDir programDir(QCoreApplication::applicationDirPath());
    files << programDir.filePath(QStringLiteral("libgbp.so"))
          << programDir.filePath(QStringLiteral("gbp.dll"));
  }
  for (const QString& folder :
       qEnvironmentVariable("LD_LIBRARY_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
    files << QDir(folder).filePath(QStringLiteral("libgbp.so"));
  for (const QString& file : files) {
    if (QFileInfo(file).isFile())
      return file;
  }
  return {};
}

QStringList HostProgramPlaces(const QString& name) {
  if (!QCoreApplication::instance())
    return {name};
  const QDir programDir(QCoreApplication::applicationDirPath());
  return {programDir.filePath(name),
          QDir::cleanPath(
              programDir.filePath(QStringLiteral(KIV_PRIVATE_LIBDIR_FROM_BINDIR "/") + name))};
}

QString HostProgramFile(const QString& name) {
  const QStringList places = HostProgramPlaces(name);
  for (const QString& place : places) {
    if (QFileInfo::exists(place))
      return place;
  }
  return places.constFirst();
}

QString MissingHostText(const QStringList& places) {
  QStringList folders;
  for (const QString& place : places)
    folders << QFileInfo(place).absolutePath();
  const QString host = QFileInfo(places.value(0)).fileName();
  //: %1 is the link host's program, %2 and %3 the folders
  if (folders.size() > 1)
    return TLinkText::tr("The link host %1 is missing: it was looked for in %2 and %3.")
        .arg(host, folders[0], folders[1]);
  return TLinkText::tr("The link host %1 is missing: it was looked for in %2.")
      .arg(host, folders.value(0));
}

QStringList HostLibraryCandidates(const QString& chosen) {
  if (!chosen.isEmpty())
    return {chosen};
  QStringList files;
  for (const QString& candidate : LibrarySearchOrder()) {
    const QFileInfo info(candidate);
    const QString file = kWindowsBuild ? info.fileName() + QStringLiteral(".dll")
                                       : QStringLiteral("lib%1.so").arg(info.fileName());
    files << (candidate.contains(QLatin1Char('/')) ? info.dir().filePath(file) : file);
  }
  return files;
}
