#include "tests/extensions/extensionsfixture.h"

#include <QFile>

#include "common/errors.h"
#include "link/nvmsection.h"

TExtensionsFixture::TExtensionsFixture() {
  forms_ = std::make_unique<TApplicationForms>();
  QFile::remove(Form1->SettingsPath());
  Form1->LoadSettings();
  Modal.Clear();
}

TExtensionsFixture::~TExtensionsFixture() {
  forms_.reset();
}

void TExtensionsFixture::Run(void (TForm1::*command)()) {
  GuardCommand([command] { (Form1->*command)(); });
}

QString TExtensionsFixture::PickFile(const QByteArray& bytes) {
  QFile file(files_.filePath(QStringLiteral("file%1").arg(++fileCount_)));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write a test file");
  Modal.OpenFileNames.enqueue(file.fileName());
  return file.fileName();
}

QString TExtensionsFixture::Status() const {
  return Form1->StatusText();
}

TPrefForm& TExtensionsFixture::Pref() const {
  return *PrefForm;
}

QStringList TExtensionsFixture::Writes() const {
  QStringList writes;
  for (const QString& line : Phone.Journal())
    if (line.startsWith(QStringLiteral("WriteNVMFile(")))
      writes << line;
  return writes;
}

QByteArray PrefRecord(std::initializer_list<int> tail) {
  QByteArray record("Kiv2");
  for (int byte : tail)
    record.append(char(byte));
  return record;
}

QByteArray NumberedBytes(int size) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i)
    bytes[i] = char((i * 7 + i / 256) & 0xFF);
  return bytes;
}
