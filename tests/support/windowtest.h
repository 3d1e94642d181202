#pragma once
// What every test program of the manager's windows starts from: a manager against the
// virtual phone, made afresh for each test; at each test's end, no box the test did not
// script an answer for. Tests reach the forms through the accessors below and their
// controls by object name, never through the forms' generated insides.

#include <QObject>
#include <QWidget>
#include <functional>
#include <memory>

#include "common/platform.h"
#include "tests/support/managerfixture.h"

// The forms' designed places hold where the texts measure as with the Linux build's fonts;
// the Windows build's offscreen fonts under Wine measure them otherwise, and the forms then
// lay their controls out. Tests of exact places skip there, saying this.
constexpr const char kPlacesMeasuredOnLinux[] =
    "the designed places are compared with the texts measured as on Linux";

class TAboutBox;
class TBadAddrForm;
class TExpertsForm;
class TIconForm;
class TOKBottomDlg;
class TPhoneLinkDialog;

// The window a control belongs to: the nearest of its parents that is a window.
const QWidget* FormOf(const QObject* control);

// The control of that object name on the form itself, not on a dialog the form owns. A
// missing control ends the test program.
template <typename T>
T* Control(const QWidget& form, const char* name) {
  for (T* control : form.findChildren<T*>(QString::fromLatin1(name))) {
    if (FormOf(control) == &form)
      return control;
  }
  qFatal("%s has no control %s", qPrintable(form.objectName()), name);
}

class TWindowTest : public QObject {
  Q_OBJECT
 public:
  explicit TWindowTest(TManagerFixture::TStart start = TManagerFixture::Loaded) : start_(start) {}

 protected Q_SLOTS:
  // The test runner finds these by name, for the tests of the derived classes too; a
  // derived class with more to set up calls them from its own.
  void init();
  void cleanup();

 protected:
  std::unique_ptr<TManagerFixture> fixture_;

  TForm1& Window() const;
  // The window's insides that tests set up or probe, through TForm1TestSeam.
  TSlotTable& Slots() const;
  QMenu* PopupMenu() const;
  QAction* DetailsAction() const;
  TPhoneLogWindow* PhoneLog() const;
  TManySlotMenu& ManySlots() const;
  TAboutBox& About() const;
  TPrefForm& Pref() const;
  TExpertsForm& Experts() const;
  TOKBottomDlg& OKBottom() const;
  TBadAddrForm& BadAddr() const;
  TIconForm& Icons() const;
  // File > Phone link..., with the script run on the dialog before it closes with result.
  void PhoneLink(const std::function<void(TPhoneLinkDialog&)>& script, int result);

  // A control of a form, or of the main window, by its object name (see Control below).
  template <typename T>
  static T* Control(const QWidget& form, const char* name) {
    return ::Control<T>(form, name);
  }
  template <typename T>
  T* Control(const char* name) const {
    return ::Control<T>(Window(), name);
  }

 private:
  TManagerFixture::TStart start_;
};
