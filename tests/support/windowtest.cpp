#include "tests/support/windowtest.h"

#include <QtTest>

#include "app/aboutbox.h"
#include "link/ui/phonelinkdialog.h"
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

TSlotTable& TWindowTest::Slots() const {
  return TForm1TestSeam::Slots(Window());
}

QMenu* TWindowTest::PopupMenu() const {
  return TForm1TestSeam::PopupMenu(Window());
}

QAction* TWindowTest::DetailsAction() const {
  return TForm1TestSeam::DetailsAction(Window());
}

TPhoneLogWindow* TWindowTest::PhoneLog() const {
  return TForm1TestSeam::PhoneLog(Window());
}

TManySlotMenu& TWindowTest::ManySlots() const {
  return TForm1TestSeam::ManySlotMenu(Window());
}

TAboutBox& TWindowTest::About() const {
  return *Window().Dialogs().About;
}

TPrefForm& TWindowTest::Pref() const {
  return *Window().Dialogs().Pref;
}

TExpertsForm& TWindowTest::Experts() const {
  return *Window().Dialogs().Experts;
}

TOKBottomDlg& TWindowTest::OKBottom() const {
  return *Window().Dialogs().OKBottom;
}

TBadAddrForm& TWindowTest::BadAddr() const {
  return *Window().Dialogs().BadAddr;
}

TIconForm& TWindowTest::Icons() const {
  return *Window().Dialogs().Icons;
}

const QWidget* FormOf(const QObject* control) {
  for (const QObject* object = control; object; object = object->parent()) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (widget && widget->isWindow())
      return widget;
  }
  return nullptr;
}

void TWindowTest::PhoneLink(const std::function<void(TPhoneLinkDialog&)>& script, int result) {
  fixture_->Modal.DialogScripts.enqueue([script, result](QDialog* dialog) {
    script(*qobject_cast<TPhoneLinkDialog*>(dialog));
    return result;
  });
  Control<QAction>("PhoneLinkAction")->trigger();
}
