#include "tests/window/mainwindowtest.h"

#include <QtTest>

void TMainWindowTest::init() {
  fixture_ = std::make_unique<TManagerFixture>(TManagerFixture::Unshown);
}

void TMainWindowTest::cleanup() {
  if (fixture_)
    QVERIFY2(fixture_->Modal.Unexpected.isEmpty(),
             qPrintable(fixture_->Modal.Unexpected.join(QLatin1Char('\n'))));
  fixture_.reset();
}
