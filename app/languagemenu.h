#pragma once
// View > Language: the system's language, English, and each language the program has a
// catalogue for. The choice goes into the settings file and applies from the next start:
// every window is made in the language chosen at start.

#include <QObject>
#include <QString>
#include <functional>

class QActionGroup;
class QMenu;

class TLanguageMenu final : public QObject {
  Q_OBJECT
 public:
  // Adds the menu to parentMenu; settingsPath gives the settings file when a choice is made.
  TLanguageMenu(QMenu* parentMenu, std::function<QString()> settingsPath);

 private:
  void Choose(const QString& language);

  QMenu* menu_;
  QActionGroup* group_;
  std::function<QString()> settingsPath_;
};
