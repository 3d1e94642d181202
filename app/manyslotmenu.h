#pragma once
// The context menu's items over many slots, after "Details...": "Upload files..." on every
// slot row, and the items over several selected rows, which show only while more than one
// row is selected. The specified items keep acting on the current row meanwhile.

#include <QCoreApplication>
#include <QStringList>

class QAction;
class QMenu;
class TSlotWindow;
struct TWindowDialogs;

class TManySlotMenu {
  // Its texts are the main window's.
  Q_DECLARE_TR_FUNCTIONS(TForm1)

 public:
  // Adds the items to the window's context menu, which owns them; the menu and the dialogs
  // outlive the controller.
  TManySlotMenu(TSlotWindow& window, const TWindowDialogs& dialogs, QMenu& menu);

  QAction* UploadFilesAction() const { return uploadFiles_; }
  QAction* DownloadSlotsAction() const { return downloadSlots_; }
  QAction* ClearSlotsAction() const { return clearSlots_; }

  // Several files into the free slots from row on, as a plan the user checks and edits
  // before anything is written, then one summary of the run.
  void UploadFilesFrom(const QStringList& fileNames, int row);

 private:
  void UploadFilesActionExecute();
  void DownloadSlotsActionExecute();
  void ClearSlotsActionExecute();
  void AddUploadFiles(QMenu& menu);
  void AddSelectionItems(QMenu& menu);

  TSlotWindow& window_;
  const TWindowDialogs& dialogs_;
  QAction* uploadFiles_ = nullptr;
  QAction* downloadSlots_ = nullptr;
  QAction* clearSlots_ = nullptr;
};
