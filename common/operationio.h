#pragma once
// How a phone operation talks to its face, the window or kivnvm: questions go through
// TInteraction, progress and outcomes through TReporter, both with plain values.

#include <QString>
#include <QStringList>
#include <QtGlobal>

struct TSectionAddress;

class TReporter {
 public:
  virtual ~TReporter() = default;

  // The status line's text: "Uploading data...", "Uploaded!".
  virtual void Status(const QString& text) = 0;
  // A failure the user must read; the window captions it "ERROR".
  virtual void Error(const QString& text) = 0;
  // An outcome with its caption: "Section uploaded sucsessfully!" / "OK!".
  virtual void Notice(const QString& text, const QString& caption) = 0;
  // A grid row's record has changed.
  virtual void RowChanged(int row) = 0;
  // Work over several sections: the index-th of count (from 1), with the bytes moved so far.
  virtual void Progress(int index, int count, const TSectionAddress& address, qint64 bytes) = 0;
  // Asked between two sections of such work; true ends it there.
  virtual bool CancelRequested() = 0;
};

class TInteraction {
 public:
  virtual ~TInteraction() = default;

  // Whether a UFIF 2.0 program is converted first: mrYes, mrNo or mrCancel.
  virtual int AskUFIF21Conversion() = 0;
  // The firmware the conversion relocates for, as the user gave it.
  virtual QString FirmwareText() = 0;
  // Words of a converted program that the conversion left alone.
  virtual void ShowConversionReport(const QStringList& lines) = 0;
  // The icon a compressed plain program carries.
  virtual quint32 AskIconCode() = 0;

  // A file of the name a download of many slots gives exists already.
  enum TFileClash { ReplaceFile, SkipFile, ReplaceAllFiles, SkipAllFiles };
  // A face that cannot ask keeps every file that is there.
  virtual TFileClash AskFileClash(const QString& /*path*/) { return SkipAllFiles; }
};
