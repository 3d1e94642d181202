#pragma once
// The contexts of the program's texts in its catalogues (translations/kivmanager_*.ts). A
// QObject's texts are its own tr(); the texts of plain functions are the tr() of their
// folder's class below, so that one wording in a folder is translated once.

#include <QCoreApplication>
#include <QString>

class TCommonText {
  Q_DECLARE_TR_FUNCTIONS(Common)
};
class TLinkText {
  Q_DECLARE_TR_FUNCTIONS(Link)
};
class TUfifText {
  Q_DECLARE_TR_FUNCTIONS(Ufif)
};
class TCatalogueText {
  Q_DECLARE_TR_FUNCTIONS(Catalogue)
};
class TTransferText {
  Q_DECLARE_TR_FUNCTIONS(Transfer)
};
class TPrefsText {
  Q_DECLARE_TR_FUNCTIONS(Prefs)
};
class TLibrariesText {
  Q_DECLARE_TR_FUNCTIONS(Libraries)
};
class TDetailsText {
  Q_DECLARE_TR_FUNCTIONS(Details)
};
class TSettingsText {
  Q_DECLARE_TR_FUNCTIONS(Settings)
};
class TCliText {
  Q_DECLARE_TR_FUNCTIONS(Cli)
};
class TAppText {
  Q_DECLARE_TR_FUNCTIONS(App)
};

// A text that is shown and written to a file too: in the user's language on the screen, as
// its source reads in the file, which then reads alike in every language.
enum class TWording { Shown, Recorded };

// source is marked for TText's context with QT_TRANSLATE_NOOP, or QT_TRANSLATE_N_NOOP when
// count stands in it as %n.
template <typename TText>
QString Worded(TWording wording, const char* source, int count = -1) {
  if (wording == TWording::Shown)
    return TText::tr(source, nullptr, count);
  const QString text = QString::fromUtf8(source);
  return count < 0 ? text : QString(text).replace(QLatin1String("%n"), QString::number(count));
}
