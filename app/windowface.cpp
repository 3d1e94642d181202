#include "app/windowface.h"

#include "app/mainwindow.h"
#include "app/workpanel.h"
#include "common/messages.h"
#include "common/modal.h"
#include "settings/ui/expertsform.h"
#include "ufif/ui/badaddrform.h"
#include "ufif/ui/iconform.h"
#include "ufif/ui/okbottomdlg.h"

void TWindowFace::Status(const QString& text) {
  form_.SetStatusText(text);
}

void TWindowFace::Error(const QString& text) {
  Modal().ShowMessage(&form_, text, ErrorCaption());
}

void TWindowFace::Notice(const QString& text, const QString& caption) {
  Modal().ShowMessage(&form_, text, caption);
}

void TWindowFace::RowChanged(int row) {
  form_.RepaintRow(row);
}

void TWindowFace::Progress(int index, int count, const TSectionAddress& address, qint64 bytes) {
  form_.Work().ShowSection(index, count, address, bytes);
}

bool TWindowFace::CancelRequested() {
  return form_.Work().CancelRequested();
}

int TWindowFace::AskUFIF21Conversion() {
  return form_.Dialogs().OKBottom->Ask();
}

QString TWindowFace::FirmwareText() {
  TExpertsForm* options = form_.Dialogs().Experts;
  return options ? options->FirmwareText() : QString();
}

// Words the conversion could not judge: the user decides whether they need a look.
void TWindowFace::ShowConversionReport(const QStringList& lines) {
  TBadAddrForm* report = form_.Dialogs().BadAddr;
  report->SetReport(lines);
  Modal().ExecDialog(report);
}

quint32 TWindowFace::AskIconCode() {
  return form_.Dialogs().Icons->AskIconCode();
}
