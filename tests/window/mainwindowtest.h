#pragma once
// What every test program of the main window starts from: a manager against the virtual
// phone, not yet shown, made afresh for each test; and at each test's end, no box the test
// did not script an answer for.

#include <QObject>
#include <memory>

#include "tests/support/managerfixture.h"

class TMainWindowTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // The test runner finds these by name, for the tests of the derived classes too.
  void init();
  void cleanup();

 protected:
  std::unique_ptr<TManagerFixture> fixture_;
};
