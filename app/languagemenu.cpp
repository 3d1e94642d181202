#include "app/languagemenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "common/errors.h"
#include "common/language.h"
#include "common/modal.h"
#include "settings/settingsfile.h"

TLanguageMenu::TLanguageMenu(QMenu* parentMenu, std::function<QString()> settingsPath)
    : QObject(parentMenu),
      menu_(parentMenu->addMenu(tr("&Language"))),
      group_(new QActionGroup(this)),
      settingsPath_(std::move(settingsPath)) {
  menu_->setObjectName(QStringLiteral("LanguageMenu"));
  const QString chosen = ReadSettings(settingsPath_()).Language;
  const auto add = [this, &chosen](const QString& text, const QString& language) {
    QAction* action = menu_->addAction(text);
    action->setCheckable(true);
    action->setChecked(language == chosen);
    action->setData(language);
    group_->addAction(action);
    connect(action, &QAction::triggered, this, [this, language] { Choose(language); });
  };
  add(tr("The system's (%1)").arg(LanguageName(ResolvedLanguage(QString()))), QString());
  for (const QString& language : AvailableLanguages())
    add(LanguageName(language), language);
}

void TLanguageMenu::Choose(const QString& language) {
  GuardCommand([&] {
    WriteLanguageSetting(settingsPath_(), language);
    const QString name = LanguageName(ResolvedLanguage(language));
    Modal().ShowMessage(menu_, tr("Kiv Manager speaks %1 from its next start.").arg(name),
                        tr("Language"));
  });
}
