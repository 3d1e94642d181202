#include "app/windowface.h"

#include <QFileInfo>

#include "app/slotwindow.h"
#include "app/windowdialogs.h"
#include "app/workpanel.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/texts.h"
#include "link/nvmsection.h"
#include "settings/ui/expertsform.h"
#include "ufif/ui/badaddrform.h"
#include "ufif/ui/iconform.h"
#include "ufif/ui/okbottomdlg.h"

void TWindowFace::Status(const QString& text) {
  // Progress stands while the link is open; a text once it has closed is the command's
  // outcome, and the last section's progress beside it would be stale.
  if (!window_.Link().LinkOpen())
    window_.Work().End();
  window_.SetStatusText(text);
}

void TWindowFace::Error(const QString& text) {
  Modal().ShowMessage(&owner_, text, ErrorCaption());
}

void TWindowFace::Notice(const QString& text, const QString& caption) {
  Modal().ShowMessage(&owner_, text, caption);
}

void TWindowFace::RowChanged(int row) {
  window_.RowChanged(row);
}

void TWindowFace::Progress(int index, int count, const TSectionAddress& address, qint64 bytes) {
  window_.Work().ShowSection(index, count, address, bytes);
}

bool TWindowFace::CancelRequested() {
  return window_.Work().CancelRequested();
}

int TWindowFace::AskUFIF21Conversion() {
  return dialogs_.OKBottom->Ask();
}

QString TWindowFace::FirmwareText() {
  TExpertsForm* options = dialogs_.Experts;
  return options ? options->FirmwareText() : QString();
}

// Words the conversion could not judge: the user decides whether they need a look.
void TWindowFace::ShowConversionReport(const QStringList& lines) {
  TBadAddrForm* report = dialogs_.BadAddr;
  report->SetReport(lines);
  Modal().ExecDialog(report);
}

quint32 TWindowFace::AskIconCode() {
  return dialogs_.Icons->AskIconCode();
}

// Closing the box without an answer keeps every file that is there: nothing is lost.
TInteraction::TFileClash TWindowFace::AskFileClash(const QString& path) {
  const QFileInfo file(path);
  //: %1 is a file's name, %2 the folder it is in.
  const QString question = TAppText::tr("%1 is there already in %2.");
  const int answer = Modal().Choose(&owner_, TAppText::tr("File exists"),
                                    question.arg(file.fileName(), file.path()),
                                    {TAppText::tr("Replace"), TAppText::tr("Skip"),
                                     TAppText::tr("Replace all"), TAppText::tr("Skip all")});
  const TFileClash answers[] = {ReplaceFile, SkipFile, ReplaceAllFiles, SkipAllFiles};
  return answer >= 0 && answer < 4 ? answers[answer] : SkipAllFiles;
}
