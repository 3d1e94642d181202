#pragma once
// What a restore would change, one line per section, for the user to confirm: the
// address, what the phone holds now, what the backup holds, and the action. A count leads;
// the sections it changes come first, marked, then those it leaves alone; the unchanged ones
// follow, folded away until the user asks for them.

#include <QDialog>
#include <QList>

#include "transfer/ops/restore.h"

class QCheckBox;
class QLabel;
class QTableWidget;

class TRestorePreview final : public QDialog {
  Q_OBJECT
 public:
  TRestorePreview(QWidget* parent, const QString& folder, const QList<TSectionRestore>& preview);

  // The lines in their order: address, phone now, backup, action.
  QStringList Line(int index) const;
  int LineCount() const;
  // Whether the line is in view: the unchanged ones only once asked for.
  bool LineShown(int index) const;
  // "3 to write, 1 to clear, 25 unchanged".
  QString Count() const;
  void ShowUnchanged(bool shown);

  void reject() override;

 private:
  QLabel* count_;
  QCheckBox* showUnchanged_;
  QTableWidget* table_;
};

// The action of a preview line: "write", "clear", "unchanged", "left alone".
QString PreviewActionText(const TSectionRestore& section);
