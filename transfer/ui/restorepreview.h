#pragma once
// What a restore would change, one line per section, for the user to confirm: the
// address, what the phone holds now, what the backup holds, and the action. A count leads;
// the sections it changes come first, marked, then those it leaves alone; the unchanged ones
// follow, folded away until the user asks for them. A backup in doubt says why, and clears
// the sections it records as empty only when the user ticks the box for it; a backup whose
// preferences record is empty says so.

#include <QDialog>
#include <QList>

#include "transfer/ops/restore.h"

class QCheckBox;
class QLabel;
class QTableWidget;

class TRestorePreview final : public QDialog {
  Q_OBJECT
 public:
  TRestorePreview(QWidget* parent, const QString& folder, const QList<TSectionRestore>& preview,
                  const TManifest& manifest);

  // The lines in their order: address, phone now, backup, action.
  QStringList Line(int index) const;
  int LineCount() const;
  // Whether the line is in view: the unchanged ones only once asked for.
  bool LineShown(int index) const;
  // "3 to write, 1 to clear, 25 unchanged".
  QString Count() const;
  void ShowUnchanged(bool shown);
  // The notes above the lines: why the backup is in doubt, an empty preferences record.
  QStringList Notes() const;
  // Whether the sections recorded as empty in a backup in doubt are to be cleared after all.
  bool ClearRecordedEmpty() const;
  void SetClearRecordedEmpty(bool clear);

  void reject() override;

 private:
  void ShowActions();

  QList<TSectionRestore> sections_;  // in the order of the lines
  QLabel* count_;
  QList<QLabel*> notes_;
  QCheckBox* clearRecordedEmpty_;
  QCheckBox* showUnchanged_;
  QTableWidget* table_;
};

// The action of a preview line: "write", "clear", "unchanged", "left alone", "not cleared".
QString PreviewActionText(const TSectionRestore& section);
