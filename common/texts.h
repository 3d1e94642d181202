#pragma once
// The contexts of the program's texts in its catalogues (translations/kivmanager_*.ts). A
// QObject's texts are its own tr(); the texts of plain functions are the tr() of their
// folder's class below, so that one wording in a folder is translated once.

#include <QCoreApplication>

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
