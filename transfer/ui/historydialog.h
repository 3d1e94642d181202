#pragma once
// The history of changes for the user: one line per change, newest first, with its time,
// section, what was there before and what the change left; a damaged or unfinished entry
// shows why it cannot be taken back. "Take back" hands the chosen change to the window,
// then the list is read again, since the undo is a change of its own. Where the history
// lives, or that it is off and how to turn it on, heads the list.

#include <QDialog>
#include <functional>

#include "transfer/ops/historystore.h"

class QLabel;
class QPushButton;
class QTableWidget;

class THistoryDialog final : public QDialog {
  Q_OBJECT
 public:
  explicit THistoryDialog(QWidget* parent);

  // The changes of the store; settingsPath is named when the history is off.
  void ShowHistory(const THistoryStore& store, const QString& settingsPath);
  // Takes back the change of that id; the window sets it.
  std::function<void(const QString& id)> OnTakeBack;

  QString Where() const;
  int LineCount() const;
  // Number, time, section, change, before, left there.
  QStringList Line(int index) const;
  // Chooses the line; false, and nothing chosen, for a line that cannot be taken back.
  bool ChooseLine(int index);
  bool CanTakeBack() const;
  void TakeBack();

  void reject() override;

 private:
  void Fill();
  QString ChosenId() const;

  THistoryStore store_{THistoryConfig{}};
  QLabel* where_;
  QTableWidget* table_;
  QPushButton* takeBack_;
};
