#pragma once
// What the window's parts (its face, its menus' controllers) need of the window, without
// its header: commands run one at a time, the status line and the status bar's progress,
// the grid's rows, the link, the current slot as a command works with it, and the settings
// file.

#include <QList>
#include <QString>
#include <functional>

#include "catalogue/ui/windowcommand.h"

class TNVMSection;
class TWorkPanel;

class TSlotWindow {
 public:
  virtual ~TSlotWindow() = default;

  // Runs one command to its end, the window's other commands disabled meanwhile.
  virtual void RunCommand(const std::function<void()>& command) = 0;
  virtual bool CommandRunning() const = 0;
  virtual TWorkPanel& Work() = 0;
  virtual void SetStatusText(const QString& text) = 0;
  // A row's record changed.
  virtual void RowChanged(int row) = 0;
  virtual TNVMSection& Link() const = 0;
  virtual int CurrentRow() const = 0;
  // The selected rows in row order, the current one among them.
  virtual QList<int> SelectedRows() const = 0;
  virtual TWindowCommand CurrentSlotCommand() = 0;
  virtual QString SettingsPath() const = 0;
  // Puts the link on COM1 (1) ... COM4 (4), as the port list does.
  virtual void ChoosePort(int port) = 0;
  // Where the window's changes are kept.
  virtual const THistoryConfig& History() const = 0;
};
