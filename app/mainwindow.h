#pragma once
// TForm1, the main window: the slot grid, the top panel's buttons, the context menu's
// actions and the status line. Its command handlers only delegate (app/commands.cpp): the
// phone operations do the work over NVM, and each subsystem's window code (its ui/ folder)
// shows their questions and outcomes. The keyboard, drops and the port box are in
// app/slotreach.cpp; its parts, each in files of their own and seeing it as a TSlotWindow:
// the grid's drawing (TGridPainter), the Edit menu (TEditMenu), the context menu's items
// over many slots (TManySlotMenu), File > Phone link... (TPhoneLinkMenu) and its face to the
// operations (TWindowFace).

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/slotranges.h"
#include "app/slotwindow.h"
#include "app/windowdialogs.h"
#include "catalogue/ops/refreshslots.h"
#include "catalogue/slotinfo.h"
#include "catalogue/slotmap.h"
#include "settings/settingsfile.h"

class QAction;
class QLabel;
class QMenu;
class QMimeData;
class QPainter;
class TEditMenu;
class TGridPainter;
class TLinkThread;
class TManySlotMenu;
class TNVMSection;
class TPhoneLinkMenu;
class TPhoneLogWindow;
class TWindowFace;
class TWorkPanel;

namespace Ui {
class TForm1;
}

class TForm1 : public QMainWindow, public TSlotWindow {
  Q_OBJECT
 public:
  // settingsPath: the settings file, KivManager.INI where SettingsFileOf puts it when empty.
  TForm1(const QString& settingsPath, const THistoryConfig& history);
  ~TForm1() override;

  // The phone link every command of the window goes through.
  TNVMSection& Link() const override { return *NVM; }

  void UseDialogs(const TWindowDialogs& dialogs) { dialogs_ = dialogs; }
  const TWindowDialogs& Dialogs() const { return dialogs_; }

  // Runs one command to its end, as the window's buttons and menus do: the other commands
  // are disabled meanwhile, the window stays alive while the phone works, the framework's
  // errors end in the error box, and a close asked for meanwhile happens afterwards.
  void RunCommand(const std::function<void()>& command) override;
  bool CommandRunning() const override { return commandRunning_; }
  // The status bar's progress of the command under way and its Cancel button.
  TWorkPanel& Work() override { return *workPanel_; }

  // Status line: one text that each command replaces.
  void SetStatusText(const QString& text) override;
  QString StatusText() const;

  // The grid's current row and the section behind it.
  int CurrentRow() const override;
  void SelectRow(int row);
  TSectionAddress CurrentSlotAddress() const;
  QList<int> SelectedRows() const override;
  // The current slot, NVM and the window's face, as a command works with them.
  TWindowCommand CurrentSlotCommand() override;
  // Repaints the grid at once.
  void RepaintGrid();
  // A row's record changed: the grid paints the row at once unless it shows that record
  // already, so rows fill one by one during long commands, and tells assistive technology
  // what reads differently.
  void RowChanged(int row) override;
  // What a refresh writes into: Slots, the slot ranges and "Additional info".
  TCatalogue Catalogue();

  // The settings file, as SettingsFileOf finds it for this executable when the window is made.
  QString SettingsPath() const override;
  void ChoosePort(int port) override;
  const THistoryConfig& History() const override { return history_; }
  // Applies the file's values; one that cannot be read says why on the status line, and its
  // link refuses every command until the file can be read again at a load, or a link is
  // chosen in File > Phone link...
  void LoadSettings();
  void SaveSettings();  // throws EIniFileException when the file cannot be written

  // The commands.
  void Button1Click();
  void RefreshActionExecute();
  void UploadActionExecute();
  void UploadLZOActionExecute();
  void DownloadActionExecute();
  void PlayGIFActionExecute();
  void ClearActionExecute();
  void Button7Click();
  void ConvertActionExecute();
  void Button5Click();
  void Button6Click();
  void Button3Click();
  void GetPrefActionExecute();
  void SetPrefActionExecute();
  void BackupActionExecute();
  void RestoreActionExecute();
  void DetailsActionExecute();
  void PhoneLogActionExecute();
  void Button2Click();
  void ComboBox1Change(int index);
  void DrawGrid1DrawCell(QPainter& canvas, int ACol, int ARow, const QRect& Rect);
  void DrawGrid1MouseUp(Qt::MouseButton Button);
  // The Menu key and Shift+F10: the context menu of the current row, at the row.
  void OpenMenuForCurrentRow();
  // Upload, plain or compressed, of a file dropped onto the current row.
  void UploadDroppedFile(const QString& fileName, bool compressed);
  void FormShow();
  void FormClose();
  // Loads the settings (FormShow) at the first showing, before the window system has the
  // window.
  void setVisible(bool visible) override;
  void FormResize();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The tests' way to the members below that they set up or probe (tests/support/
  // managerfixture.h).
  friend class TForm1TestSeam;

  // Controls from mainwindow.ui: ui->DrawGrid1, ui->Button1 ... ui->RefreshAction ...
  std::unique_ptr<Ui::TForm1> ui;
  QString settingsPath_;
  THistoryConfig history_;
  TWindowDialogs dialogs_;
  QMenu* PopupMenu1 = nullptr;
  TNVMSection* NVM = nullptr;
  TSlotTable Slots{};
  // The context menu's "Details..." after its seven commands, and the phone log window
  // (made at start, so that it keeps every call; View > Phone log shows it).
  QAction* DetailsAction = nullptr;
  TPhoneLogWindow* PhoneLog = nullptr;

  // One section into its row (record 0 outside the ranges) within the caller's link.
  int RefreshSection(int section, int subsection);
  void FlowPanel();
  void CreatePopupMenu();
  void SetCommandsEnabled(bool enabled);
  void ConnectCommands();
  void AddDetailsAndPhoneLog();
  TManagerSettings CurrentSettings() const;
  void ApplySettings(const TManagerSettings& settings);
  void FillOptionsDialog(const TManagerSettings& settings);
  void ConnectKeysAndDrops();
  QPoint ContextMenuPoint() const;
  void SlotKey(QAction* action);
  bool DrawGrid1Drop(const QMimeData& data, int row, const QPoint& at);
  void PortTextEntered();

  // Shows "demo phone" at the status bar's end while the link is the demo phone.
  void ShowDemoPhone();

  QLabel* statusText_ = nullptr;
  QLabel* demoPhone_ = nullptr;
  // Why the settings file could not be read at the last load; the link refuses meanwhile.
  QString settingsProblem_;
  std::unique_ptr<TWindowFace> face_;
  TLinkThread* linkThread_ = nullptr;
  TWorkPanel* workPanel_ = nullptr;
  bool shown_ = false;
  bool commandRunning_ = false;
  bool closePending_ = false;
  // A transient menu's actions may be gone by the time the command ends.
  QList<QPointer<QAction>> disabledActions_;
  // The firmware choice as last loaded, kept for saves made while no options dialog exists.
  int loadedFirmware_ = 0;
  // The ranges the rows' records were read under; nothing is read before the first load.
  std::optional<TSlotRanges> recordedRanges_;
  // While the keyboard opens the context menu: it opens at the current row.
  bool menuAtRow_ = false;
  std::unique_ptr<TEditMenu> editMenu_;
  std::unique_ptr<TManySlotMenu> manySlotMenu_;
  // File > Phone link...: the library, the devices behind the ports and the deadline factor.
  std::unique_ptr<TPhoneLinkMenu> phoneLinkMenu_;
  std::unique_ptr<TGridPainter> gridPainter_;
};

extern TForm1* Form1;
