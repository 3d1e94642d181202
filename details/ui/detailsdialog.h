#pragma once
// The Details dialog of one slot: the catalogue's view of the section, every field of its
// header, the picture of a GIF, a hex view of all the bytes with the fields highlighted, and
// "Save..." for the bytes.

#include <QDialog>

#include "details/slotdetails.h"

class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TPictureView;
struct TWindowCommand;

class TDetailsDialog : public QDialog {
  Q_OBJECT
 public:
  TDetailsDialog(const TSlotDetails& details, QWidget* parent);

  const TSlotDetails& Details() const { return details_; }
  QTreeWidget* Fields() const { return fields_; }
  QPlainTextEdit* HexView() const { return hex_; }
  TPictureView* Picture() const { return picture_; }  // null unless the section is a GIF
  // Asks for a file through Modal() and saves the bytes there.
  void Save();

 private:
  QWidget* CreateHeader();
  void FillFields();
  // Highlights every field in the hex view, the chosen one (if any) the strongest.
  void Highlight(const TDetailField* chosen);
  void FieldChosen(QTreeWidgetItem* item);

  TSlotDetails details_;
  QTreeWidget* fields_ = nullptr;
  QPlainTextEdit* hex_ = nullptr;
  TPictureView* picture_ = nullptr;
};

// Reads the current slot whole, then shows its details (before: the row's record).
void SlotDetailsCommand(TWindowCommand& command, const TSlotInfo& before);
