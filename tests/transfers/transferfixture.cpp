#include "tests/transfers/transferfixture.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include "common/bytes.h"
#include "common/errors.h"

TTransferFixture::TTransferFixture() : previousDir_(QDir::currentPath()) {
  QDir::setCurrent(work_.path());
  forms_ = std::make_unique<TApplicationForms>();
  QFile::remove(Form1->SettingsPath());
  Form1->LoadSettings();
  Select(BigRow);
  Modal.Clear();
}

TTransferFixture::~TTransferFixture() {
  forms_.reset();
  QDir::setCurrent(previousDir_);
}

void TTransferFixture::Run(void (TForm1::*command)()) {
  GuardCommand([command] { (Form1->*command)(); });
}

void TTransferFixture::Select(int row) {
  Form1->SelectRow(row);
}

QString TTransferFixture::FilePath(const QString& name) const {
  return work_.filePath(name);
}

QString TTransferFixture::PutFile(const QString& name, const QByteArray& bytes) const {
  QFile file(FilePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write a test file");
  return file.fileName();
}

QByteArray TTransferFixture::FileBytes(const QString& name) const {
  QFile file(FilePath(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TShownBox TTransferFixture::LastBox() const {
  return Modal.Shown.isEmpty() ? TShownBox{} : Modal.Shown.last();
}

QString TTransferFixture::Status() const {
  return Form1->StatusText();
}

QByteArray PlainData(int size, quint8 seed) {
  QByteArray data(size, '\0');
  quint32 state = seed;
  for (int i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    data[i] = char(state >> 24);
  }
  if (size > 0)
    data[size - 1] = 0x55;  // never the filler's last byte
  return data;
}

QByteArray UFIFProgram(quint32 formatTag, int size, bool suspect) {
  QByteArray image(size, char(0x11));
  SetWordAt(image, 0, formatTag);
  const QByteArray name("Demo", 4);
  image.replace(4, 16, name + QByteArray(12, '\0'));
  SetWordAt(image, 100, 0x4801B403);
  SetWordAt(image, 108, 0x36A9D1);
  SetWordAt(image, 200, 0x820000);
  SetWordAt(image, 204, 0x36AE18);
  if (suspect)
    SetWordAt(image, 300, 0x36A640);
  return image;
}
