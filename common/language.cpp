#include "common/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString CatalogueStem = QStringLiteral("kivmanager_");

QStringList CatalogueFolders() {
  const QString bin = QCoreApplication::applicationDirPath();
  return {bin + QStringLiteral("/translations"),
          QDir::cleanPath(bin + QStringLiteral("/" KIV_TRANSLATIONS_FROM_BINDIR))};
}

// The catalogue of the language, or empty when the program has none.
QString CatalogueOf(const QString& language) {
  for (const QString& folder : CatalogueFolders()) {
    const QFileInfo file(folder + QLatin1Char('/') + CatalogueStem + language +
                         QStringLiteral(".qm"));
    if (file.isFile())
      return file.absoluteFilePath();
  }
  return {};
}

// A catalogue that is not there is no fault: the texts then stay as their source reads.
bool Install(const QString& file, const QString& folder = QString()) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(file, folder)) {
    QCoreApplication::installTranslator(translator);
    return true;
  }
  delete translator;
  return false;
}

// Qt's own catalogue of the language: beside the program where it carries one (the Windows
// copy does), else Qt's.
void InstallQtCatalogue(const QString& language) {
  const QString name = QStringLiteral("qtbase_") + language;
  for (const QString& folder : CatalogueFolders()) {
    if (Install(name, folder))
      return;
  }
  Install(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

// Qt follows a desktop's LANGUAGE list even under LC_ALL=C. Programs that use gettext ignore
// it where the locale for messages is C or POSIX, or none is set, and so does this one: a
// script's LC_ALL=C gives English.
bool MessagesLocaleIsC() {
#ifdef _WIN32
  // Windows has no such locale: its users' language is the one the system shows.
  return false;
#else
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const QString locale = qEnvironmentVariable(name);
    if (!locale.isEmpty())
      return locale == QLatin1String("C") || locale == QLatin1String("POSIX") ||
             locale.startsWith(QLatin1String("C."));
  }
  return true;
#endif
}

}  // namespace

QString ResolvedLanguage(const QString& code) {
  const QString source = QString::fromLatin1(SourceLanguage);
  if (!code.isEmpty())
    return CatalogueOf(code).isEmpty() ? source : code;
  if (MessagesLocaleIsC())
    return source;
  // "ru-RU", then "ru": the first that is English or has a catalogue decides.
  for (const QString& name : QLocale::system().uiLanguages()) {
    const QString language = name.section(QLatin1Char('-'), 0, 0).toLower();
    if (language == source)
      return source;
    if (!CatalogueOf(language).isEmpty())
      return language;
  }
  return source;
}

QString UseLanguage(const QString& code) {
  const QString language = ResolvedLanguage(code);
  Install(CatalogueOf(language));
  if (language != QLatin1String(SourceLanguage))
    InstallQtCatalogue(language);
  return language;
}

QStringList AvailableLanguages() {
  QStringList languages{QString::fromLatin1(SourceLanguage)};
  for (const QString& folder : CatalogueFolders()) {
    const QStringList files =
        QDir(folder).entryList({CatalogueStem + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
      const QString language = file.mid(CatalogueStem.size()).section(QLatin1Char('.'), 0, 0);
      if (!languages.contains(language))
        languages << language;
    }
  }
  return languages;
}

QString LanguageName(const QString& code) {
  if (code == QLatin1String(SourceLanguage))
    return QStringLiteral("English");
  const QString name = QLocale(code).nativeLanguageName();
  return name.isEmpty() ? code : name.left(1).toUpper() + name.mid(1);
}
