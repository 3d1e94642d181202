#pragma once
// What kivnvm's phone tests start from: a fresh virtual phone and an empty work folder for
// each test, and the demo phone when a test wants content.

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "tests/cli/kivnvmrunner.h"
#include "tests/support/virtualphone.h"

class TKivnvmPhoneTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // The test runner finds these by name, for the tests of the derived classes too.
  void init();
  void cleanup();

 protected:
  QString Path(const QString& name) const { return work_->filePath(name); }
  void MakeDemoPhone();

  std::unique_ptr<TVirtualPhone> phone_;
  std::unique_ptr<QTemporaryDir> work_;
  TKivnvm kivnvm_;
};
