#include "tests/support/managerfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/drawgrid.h"
#include "common/bytes.h"
#include "common/errors.h"
#include "settings/settingsfile.h"

const QByteArray TManagerFixture::FolderInstead = QByteArrayLiteral("<a folder>");

TManagerFixture::TManagerFixture(TStart start, const QByteArray& settingsText,
                                 const THistoryConfig& history)
    : previousDir_(QDir::currentPath()) {
  QDir::setCurrent(work_.path());
  const QString settings = SettingsPath();
  if (QFileInfo(settings).isDir())
    QDir(settings).removeRecursively();
  QFile::remove(settings);
  if (settingsText == FolderInstead)
    QDir().mkpath(settings);
  else if (!settingsText.isEmpty())
    WriteSettings(settingsText);
  forms_ = std::make_unique<TApplicationForms>(settings, history);
  if (start == Unshown)
    return;
  Window().LoadSettings();
  Select(BigRow);
  Modal.Clear();
}

TManagerFixture::~TManagerFixture() {
  forms_.reset();
  QDir::setCurrent(previousDir_);
}

void TManagerFixture::Show() {
  Window().show();
  QCoreApplication::processEvents();
}

void TManagerFixture::Run(void (TForm1::*command)()) {
  GuardCommand([this, command] { (Window().*command)(); });
}

void TManagerFixture::Select(int row) {
  Window().SelectRow(row);
}

QString TManagerFixture::FilePath(const QString& name) const {
  return work_.filePath(name);
}

QString TManagerFixture::PutFile(const QString& name, const QByteArray& bytes) const {
  QFile file(FilePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write a test file");
  return file.fileName();
}

QByteArray TManagerFixture::FileBytes(const QString& name) const {
  QFile file(FilePath(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TManagerFixture::PickFile(const QByteArray& bytes) {
  const QString path = PutFile(QStringLiteral("file%1").arg(++fileCount_), bytes);
  Modal.OpenFileNames.enqueue(path);
  return path;
}

TShownBox TManagerFixture::LastBox() const {
  return Modal.Shown.isEmpty() ? TShownBox{} : Modal.Shown.last();
}

QString TManagerFixture::Status() const {
  return Window().StatusText();
}

QStringList TManagerFixture::Writes() const {
  QStringList writes;
  for (const QString& line : Phone.Journal()) {
    if (line.startsWith(QStringLiteral("WriteNVMFile(")))
      writes << line;
  }
  return writes;
}

TForm1& TManagerFixture::Window() const {
  return *Form1;
}

TDrawGrid* TManagerFixture::Grid() const {
  return Window().findChild<TDrawGrid*>(QStringLiteral("DrawGrid1"));
}

QString TManagerFixture::SettingsPath() {
  static const QTemporaryDir folder;
  const QString beside = SettingsPathFor(QCoreApplication::applicationFilePath());
  return folder.filePath(QFileInfo(beside).fileName());
}

void TManagerFixture::WriteSettings(const QByteArray& text) {
  QFile file(SettingsPath());
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
    qFatal("cannot write the test's settings file");
}

QString TManagerFixture::ReadSettings() {
  QFile file(SettingsPath());
  return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll())
                                                          : QString();
}

QByteArray Program(int size, const QByteArray& name, quint32 formatTag) {
  QByteArray bytes(size, '\x5A');
  SetWordAt(bytes, 0, formatTag);
  QByteArray field = name.left(16);
  field.append(QByteArray(16 - field.size(), '\0'));
  bytes.replace(4, 16, field);
  return bytes;
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
