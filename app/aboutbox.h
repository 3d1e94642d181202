#pragma once
// TAboutBox: the product name, what the manager is for, and the credits.

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
  ~TAboutBox() override;

  // The phone-link line names the library in use, or the demo phone, and how it runs
  // ("libgbp.so, in this process"); the whole path shows as its tool tip.
  void ShowLink(const QString& file, const QString& how, bool demoPhone);

  // Closing by the title bar or Escape answers Cancel, as the modal results expect.
  void reject() override;

 private:
  std::unique_ptr<Ui::TAboutBox> ui;
};
