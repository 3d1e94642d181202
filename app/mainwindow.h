#pragma once
// TForm1, the main window: the slot grid, the top panel's buttons, the context menu's
// actions and the status line. It orchestrates: controls are read here, the rules live in
// the core library and every phone operation goes through NVM.
//
// The handlers are defined in the folder of their subsystem:
//   app/        window, settings, grid painting, context menu, about box
//   catalogue/  RefreshSection, Button1Click, RefreshActionExecute
//   transfer/   Upload, UploadLZO, Download, PlayGIF, Clear
//   ufif/       Button7Click (options), ConvertActionExecute, ConvertToUFIF21
//   libraries/  VerifyWrite, Button5Click, UploadLibraryFile, Button6Click, UploadPRG3Library
//   prefs/      Button3Click, GetPrefActionExecute, SetPrefActionExecute

#include <QByteArray>
#include <QMainWindow>
#include <array>
#include <memory>

#include "app/settingsfile.h"
#include "catalogue/slotinfo.h"
#include "catalogue/slotmap.h"

class QLabel;
class QMenu;
class QPainter;
class TNVMSection;

namespace Ui {
class TForm1;
}

// The slot ranges: process-wide settings, stored in the settings file.
extern int FirstBig;
extern int BigSlots;
extern int FirstSmall;
extern int SmallSlots;
TSlotRanges CurrentSlotRanges();
void SetCurrentSlotRanges(const TSlotRanges& ranges);

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Controls from resources/mainwindow.ui: ui->DrawGrid1, ui->Button1 ... ui->RefreshAction ...
  std::unique_ptr<Ui::TForm1> ui;
  QMenu* PopupMenu1 = nullptr;
  TNVMSection* NVM = nullptr;
  std::array<TSlotInfo, SlotTableSize> Slots{};

  // Status line: one text that each command replaces.
  void SetStatusText(const QString& text);
  QString StatusText() const;

  // The grid's current row and the section behind it.
  int CurrentRow() const;
  void SelectRow(int row);
  TSectionAddress CurrentSlotAddress() const;
  // Repaints the grid at once, so rows fill one by one during long commands.
  void RepaintGrid();

  // Settings file: KivManager.INI beside the executable.
  QString SettingsPath() const;
  void LoadSettings();
  void SaveSettings();  // throws EIniFileException when the file cannot be written

  // catalogue/
  int RefreshSection(int section, int subsection);
  void Button1Click();
  void RefreshActionExecute();
  // transfer/
  void UploadActionExecute();
  void UploadLZOActionExecute();
  void DownloadActionExecute();
  void PlayGIFActionExecute();
  void ClearActionExecute();
  // ufif/
  void Button7Click();
  void ConvertActionExecute();
  void ConvertToUFIF21(QByteArray& image);
  // libraries/
  int VerifyWrite(int section, int subsection, int expectedSize);
  void Button5Click();
  void UploadLibraryFile(int section, int subsection);
  void Button6Click();
  void UploadPRG3Library(int section, int subsection);
  // prefs/
  void Button3Click();
  void GetPrefActionExecute();
  void SetPrefActionExecute();
  // app/
  void Button2Click();
  void ComboBox1Change(int index);
  void DrawGrid1DrawCell(QPainter& canvas, int ACol, int ARow, const QRect& Rect);
  void DrawGrid1MouseUp(Qt::MouseButton Button);
  void FormShow();
  void FormClose();
  void FormResize();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreatePopupMenu();
  void ConnectCommands();
  void RefreshRange(int section, int firstSubsection, int count);
  TManagerSettings CurrentSettings() const;
  void ApplySettings(const TManagerSettings& settings);
  void FillOptionsDialog(const TManagerSettings& settings);
  void DrawSlotNumber(QPainter& canvas, int row, const QRect& rect);
  void DrawSlotContent(QPainter& canvas, int row, const QRect& rect);
  void DrawSlotFormat(QPainter& canvas, int row, const QRect& rect);

  QLabel* statusText_ = nullptr;
  // The firmware choice as last loaded, kept for saves made while no options dialog exists.
  int loadedFirmware_ = 0;
};

extern TForm1* Form1;
