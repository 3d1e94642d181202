#pragma once
// What a restore would change, one line per section, for the user to confirm: the
// address, what the phone holds now, what the backup holds, and the action.

#include <QDialog>
#include <QList>

#include "transfer/ops/restore.h"

class QTableWidget;

class TRestorePreview final : public QDialog {
  Q_OBJECT
 public:
  TRestorePreview(QWidget* parent, const QString& folder, const QList<TSectionRestore>& preview);

  // The lines as shown: address, phone now, backup, action.
  QStringList Line(int index) const;
  int LineCount() const;

  void reject() override;

 private:
  QTableWidget* table_;
};

// The action of a preview line: "write", "clear", "unchanged", "left alone".
QString PreviewActionText(const TSectionRestore& section);
