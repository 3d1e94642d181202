#pragma once
// The plan of an upload of several files, checked and edited before anything is written: a
// line per file with its slot (which the user may change), what the slot holds now and
// whether the file replaces it, its size, too big or UFIF 2.0, and compressed or plain; once
// for the whole plan, whether the UFIF 2.0 programs are converted and for which firmware.
// Files that found no free slot are named. Two files aimed at one slot keep Upload disabled
// until one of them is moved.

#include <QDialog>

#include "catalogue/slotinfo.h"
#include "transfer/ops/manyslots.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class TUploadPlanDialog final : public QDialog {
  Q_OBJECT
 public:
  explicit TUploadPlanDialog(QWidget* parent = nullptr);

  // The plan as PlanUploads made it over the grid's slots, and the files it left out.
  void SetPlan(const TUploadPlan& plan, const TCatalogue& catalogue, const QStringList& overflow);
  // The firmware the conversion may relocate for, and the one chosen at first.
  void SetFirmwares(const QStringList& firmwares, const QString& chosen);
  // The plan as the user left it.
  TUploadPlan Plan() const;

  // Escape and the title bar's close button answer Cancel.
  void reject() override;

 private:
  void FillLine(int index);
  void TargetChosen(int index, int slotIndex);
  void CompressedChanged(int index, bool compressed);
  void ShowClash();

  TUploadPlan plan_;
  TSlotTable slots_{};
  TSlotRanges ranges_;
  QList<TSectionAddress> addresses_;  // the slots a file may go to, as the combo boxes list them
  QLabel* intro_;
  QTableWidget* table_;
  QLabel* overflow_;
  QCheckBox* convert_;
  QComboBox* firmware_;
  QLabel* clash_;
  QPushButton* upload_;
};
