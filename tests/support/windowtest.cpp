#include "tests/support/windowtest.h"

#include <QtTest>

#include "app/aboutbox.h"
#include "prefs/ui/prefform.h"
#include "settings/ui/expertsform.h"
#include "ufif/ui/badaddrform.h"
#include "ufif/ui/iconform.h"
#include "ufif/ui/okbottomdlg.h"

void TWindowTest::init() {
  fixture_ = std::make_unique<TManagerFixture>(start_);
}

void TWindowTest::cleanup() {
  if (fixture_)
    QVERIFY2(fixture_->Modal.Unexpected.isEmpty(),
             qPrintable(fixture_->Modal.Unexpected.join(QLatin1Char('\n'))));
  fixture_.reset();
}

TForm1& TWindowTest::Window() const {
  return fixture_->Window();
}

TAboutBox& TWindowTest::About() const {
  return *AboutBox;
}

TPrefForm& TWindowTest::Pref() const {
  return *PrefForm;
}

TExpertsForm& TWindowTest::Experts() const {
  return *ExpertsForm;
}

TOKBottomDlg& TWindowTest::OKBottom() const {
  return *OKBottomDlg;
}

TBadAddrForm& TWindowTest::BadAddr() const {
  return *BadAddrForm;
}

TIconForm& TWindowTest::Icons() const {
  return *IconForm;
}

const QWidget* FormOf(const QObject* control) {
  for (const QObject* object = control; object; object = object->parent()) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (widget && widget->isWindow())
      return widget;
  }
  return nullptr;
}
