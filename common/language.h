#pragma once
// The language the program speaks: its own catalogue (translations/kivmanager_LANG.qm) and Qt's
// (qtbase_LANG.qm, for the standard dialogs' buttons). English is the texts' own language: its
// catalogue holds only the plural forms of the texts that count ("1 slot", "2 slots").

#include <QString>
#include <QStringList>

// The source language, and the setting that means "the system's".
inline const char* const SourceLanguage = "en";

// The language of code ("ru", "en"), or of the system when code is empty: the first of the
// locale's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as Qt reads them) that has a
// catalogue or is English; English when none has, and when the locale for messages (the first
// of LC_ALL, LC_MESSAGES and LANG that is set) is C, POSIX, C.* or none, whatever LANGUAGE
// lists.
QString ResolvedLanguage(const QString& code);
// Installs the catalogues of the language on the application, which must exist; English installs
// its plural forms. Returns the language used.
QString UseLanguage(const QString& code);
// English and every language with a catalogue where the program finds them: beside it in
// translations/ (a build folder), else in the installed share/kiv-manager/translations.
QStringList AvailableLanguages();
// The language's name in itself: "English", "русский".
QString LanguageName(const QString& code);
