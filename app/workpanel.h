#pragma once
// What the status bar shows while the phone works: "section i of N" with the address and
// the bytes moved for work over several sections, how long the call under way has been
// running once it takes long (the library tells nothing within one call, so no percentage
// is made up), and a Cancel button for work that can stop between two sections. A short text
// ("25/29: 2-18, 3200 B") stands on one line beside a slim bar, cut with "..." when the
// status bar is narrower still; its tooltip says it whole ("section 25 of 29: 2-18, 3200
// bytes").

#include <QObject>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
struct TSectionAddress;

class TWorkPanel final : public QObject {
  Q_OBJECT
 public:
  explicit TWorkPanel(QStatusBar* bar);

  void Begin();
  void End();
  // Work over several sections: the index-th of count (from 1), and the bytes so far.
  void ShowSection(int index, int count, const TSectionAddress& address, qint64 bytes);
  // A call that has been running this long; shown once it takes longer than two seconds,
  // beside the section of work over several sections.
  void ShowCallRunning(qint64 milliseconds, const QString& what = QString());
  // The call has returned: the section stands without its time, a single call's text goes.
  void CallFinished();

  bool CancelRequested() const { return cancelRequested_; }
  void RequestCancel();

 private:
  // text on the line, whole in the tooltip.
  void ShowText(const QString& text, const QString& whole);

  QLabel* text_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool sections_ = false;
  bool callShown_ = false;
  QString sectionText_;
  QString sectionWhole_;
  bool cancelRequested_ = false;
};
