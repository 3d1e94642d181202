#pragma once
// The icon dialog: picks the icon code that a compressed plain UFIF program carries. Its
// item list keeps the last choice from one upload to the next.

#include <QDialog>
#include <QPixmap>
#include <QVector>
#include <memory>

namespace Ui {
class TIconForm;
}

class TIconForm : public QDialog {
  Q_OBJECT
 public:
  explicit TIconForm(QWidget* parent = nullptr);
  ~TIconForm() override;

  // The 148 icon pictures by index.
  const QVector<QPixmap>& ImageList1;

  // Shows the dialog modally: the chosen item's code after OK, the default code after
  // Cancel or when no item is selected.
  quint32 AskIconCode();
  // The icon code that a dialog result and the current selection stand for.
  quint32 ChosenIconCode(int modalResult) const;

  void reject() override;

 private:
  std::unique_ptr<Ui::TIconForm> ui;
  void FillItems();
};
