#pragma once
// A fresh manager for each test: the scripted modal interface, the virtual phone, the seven
// forms, and no settings file left from an earlier test (the test program's own INI file).

#include <QByteArray>
#include <QString>
#include <memory>

#include "app/forms.h"
#include "tests/support/scriptedmodal.h"
#include "tests/support/virtualphone.h"

class TDrawGrid;

class TWindowFixture {
 public:
  // Removes the settings file and creates the forms; Show() then loads the settings.
  void Start();
  void Show();
  void Stop();

  static QString SettingsPath();
  static void WriteSettings(const QByteArray& text);
  static QString ReadSettings();

  TDrawGrid* Grid() const;
  // A UFIF 2.0 program of the given size whose name field holds name.
  static QByteArray Program(int size, const QByteArray& name, quint32 formatTag = 0x20000000);

  std::unique_ptr<TVirtualPhone> Phone;
  std::unique_ptr<TScriptedModal> Boxes;

 private:
  std::unique_ptr<TApplicationForms> forms_;
};
