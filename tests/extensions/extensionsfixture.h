#pragma once
// One manager against a virtual phone for the library and preferences tests: the forms,
// scripted answers, and a temporary folder for the files the user picks.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/forms.h"
#include "app/mainwindow.h"
#include "tests/support/scriptedmodal.h"
#include "tests/support/virtualphone.h"

class TPrefForm;

class TExtensionsFixture {
 public:
  TExtensionsFixture();
  ~TExtensionsFixture();
  TExtensionsFixture(const TExtensionsFixture&) = delete;
  TExtensionsFixture& operator=(const TExtensionsFixture&) = delete;

  TVirtualPhone Phone;
  TScriptedModal Modal;

  // Runs a command the way the window dispatches it: framework errors end in the error box.
  void Run(void (TForm1::*command)());
  // A file for the open dialog's next answer.
  QString PickFile(const QByteArray& bytes);
  QString Status() const;
  TPrefForm& Pref() const;

  // The journal's write calls, e.g. "WriteNVMFile(2,17,100) = 0".
  QStringList Writes() const;

 private:
  QTemporaryDir files_;
  int fileCount_ = 0;
  std::unique_ptr<TApplicationForms> forms_;
};

// "Kiv2" followed by the given bytes 4 onwards.
QByteArray PrefRecord(std::initializer_list<int> tail);
// Bytes with no pattern a test could match by chance.
QByteArray NumberedBytes(int size);
