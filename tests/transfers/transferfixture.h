#pragma once
// One manager against a virtual phone, for the transfer tests: the forms, scripted answers,
// and a temporary current directory (the preview and the converted copy land there).

#include <QByteArray>
#include <QString>
#include <memory>

#include "app/forms.h"
#include "app/mainwindow.h"
#include "tests/support/scriptedmodal.h"
#include "tests/support/virtualphone.h"

class TTransferFixture {
 public:
  TTransferFixture();
  ~TTransferFixture();
  TTransferFixture(const TTransferFixture&) = delete;
  TTransferFixture& operator=(const TTransferFixture&) = delete;

  TVirtualPhone Phone;
  TScriptedModal Modal;

  // Runs a command the way the window dispatches it: framework errors end in the error box.
  void Run(void (TForm1::*command)());
  // Selects the grid row; with the default ranges row 1 is 18-9 and row 22 is 2-10.
  void Select(int row);

  // Files in the temporary current directory.
  QString PutFile(const QString& name, const QByteArray& bytes) const;
  QString FilePath(const QString& name) const;
  QByteArray FileBytes(const QString& name) const;

  // The last box shown, or an empty one.
  TShownBox LastBox() const;
  QString Status() const;

 private:
  QString previousDir_;
  QTemporaryDir work_;
  std::unique_ptr<TApplicationForms> forms_;
};

constexpr int BigRow = 1;     // 18-9
constexpr int SmallRow = 22;  // 2-10

// Bytes that do not end in the no-op filler and hold no UFIF or container header.
QByteArray PlainData(int size, quint8 seed = 1);

// A plain UFIF program of the given tag and size: 0x11 filler with a call stub to the old
// table entry 0x36A9D1 at 100, the model word 0x820000 at 200 and the data word 0x36AE18
// at 204. With suspect set, the word 0x36A640 at 300 lands in the conversion report.
QByteArray UFIFProgram(quint32 formatTag, int size, bool suspect = false);
