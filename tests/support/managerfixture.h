#pragma once
// A fresh manager for each test: the virtual phone, scripted answers, the seven forms, no
// settings file left from an earlier test, and a temporary current directory (the preview,
// the converted copy and the files the user picks land there). The settings file lives in a
// temporary folder of the test program's own, not beside the executable.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "app/forms.h"
#include "app/mainwindow.h"
#include "app/manyslotmenu.h"
#include "tests/support/scriptedmodal.h"
#include "tests/support/virtualphone.h"

class TDrawGrid;

// The tests' way to TForm1's private members: the rows' records they set up or probe, the
// context menu and its items, the phone log window, and the many-slot menu.
class TForm1TestSeam {
 public:
  static int RefreshSection(TForm1& window, int section, int subsection) {
    return window.RefreshSection(section, subsection);
  }
  static TSlotTable& Slots(TForm1& window) { return window.Slots; }
  static QMenu* PopupMenu(TForm1& window) { return window.PopupMenu1; }
  static QAction* DetailsAction(TForm1& window) { return window.DetailsAction; }
  static TPhoneLogWindow* PhoneLog(TForm1& window) { return window.PhoneLog; }
  static TManySlotMenu& ManySlotMenu(TForm1& window) { return *window.manySlotMenu_; }
};

class TManagerFixture {
 public:
  // Loaded: the settings are loaded (defaults) and row 1 selected, as after start-up.
  // Unshown: the forms exist, and Show() then loads the settings as the window does.
  enum TStart { Loaded, Unshown };
  // settings, when given, is the settings file the window starts with (FolderInstead: a
  // folder stands in its place); history, where the window keeps its changes (nothing by
  // default).
  explicit TManagerFixture(TStart start = Loaded, const QByteArray& settings = QByteArray(),
                           const THistoryConfig& history = THistoryConfig());
  ~TManagerFixture();
  TManagerFixture(const TManagerFixture&) = delete;
  TManagerFixture& operator=(const TManagerFixture&) = delete;

  TVirtualPhone Phone;
  TScriptedModal Modal;

  void Show();
  // Runs a command the way the window dispatches it: framework errors end in the error box.
  void Run(void (TForm1::*command)());
  // Selects the grid row; with the default ranges row 1 is 18-9 and row 22 is 2-10.
  void Select(int row);

  // Files in the temporary current directory.
  QString FilePath(const QString& name) const;
  QString PutFile(const QString& name, const QByteArray& bytes) const;
  QByteArray FileBytes(const QString& name) const;
  // A new file there, also the open dialog's next answer.
  QString PickFile(const QByteArray& bytes);

  // The last box shown, or an empty one.
  TShownBox LastBox() const;
  QString Status() const;
  // The journal's write calls, e.g. "WriteNVMFile(2,17,100) = 0".
  QStringList Writes() const;
  TForm1& Window() const;
  TDrawGrid* Grid() const;

  static const QByteArray FolderInstead;
  // The test program's settings file, in a temporary folder that goes when the program ends.
  static QString SettingsPath();
  static void WriteSettings(const QByteArray& text);
  static QString ReadSettings();

 private:
  QString previousDir_;
  QTemporaryDir work_;
  int fileCount_ = 0;
  std::unique_ptr<TApplicationForms> forms_;
};

constexpr int BigRow = 1;     // 18-9
constexpr int SmallRow = 22;  // 2-10

// A UFIF 2.0 program of the given size whose name field holds name.
QByteArray Program(int size, const QByteArray& name, quint32 formatTag = 0x20000000);
// Bytes that do not end in the no-op filler and hold no UFIF or container header.
QByteArray PlainData(int size, quint8 seed = 1);
// A plain UFIF program of the given tag and size: 0x11 filler with a call stub to the old
// table entry 0x36A9D1 at 100, the model word 0x820000 at 200 and the data word 0x36AE18
// at 204. With suspect set, the word 0x36A640 at 300 lands in the conversion report.
QByteArray UFIFProgram(quint32 formatTag, int size, bool suspect = false);
// "Kiv2" followed by the given bytes 4 onwards.
QByteArray PrefRecord(std::initializer_list<int> tail);
// Bytes with no pattern a test could match by chance.
QByteArray NumberedBytes(int size);
