#pragma once
// The conversion report: words of a converted program that may be addresses into the old
// entry table and were left as they were.

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class TBadAddrForm;
}

class TBadAddrForm : public QDialog {
  Q_OBJECT
 public:
  explicit TBadAddrForm(QWidget* parent = nullptr);
  ~TBadAddrForm() override;

  // Replaces Memo1's lines with the report's; an empty report keeps the lines shown last.
  void SetReport(const QStringList& lines);
  QStringList ReportLines() const;

  void reject() override;

 private:
  std::unique_ptr<Ui::TBadAddrForm> ui;
};
