#include "tests/window/windowfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/mainwindow.h"
#include "app/settingsfile.h"
#include "common/bytes.h"
#include "ui_mainwindow.h"

void TWindowFixture::Start() {
  const QString settings = SettingsPath();
  if (QFileInfo(settings).isDir())
    QDir(settings).removeRecursively();
  QFile::remove(settings);
  Phone = std::make_unique<TVirtualPhone>();
  Boxes = std::make_unique<TScriptedModal>();
  forms_ = std::make_unique<TApplicationForms>();
}

void TWindowFixture::Show() {
  Form1->show();
  QCoreApplication::processEvents();
}

void TWindowFixture::Stop() {
  forms_.reset();
  Boxes.reset();
  Phone.reset();
}

QString TWindowFixture::SettingsPath() {
  return SettingsFileOf(QCoreApplication::applicationFilePath());
}

void TWindowFixture::WriteSettings(const QByteArray& text) {
  QFile file(SettingsPath());
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
    qFatal("cannot write the test's settings file");
}

QString TWindowFixture::ReadSettings() {
  QFile file(SettingsPath());
  return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll())
                                                          : QString();
}

TDrawGrid* TWindowFixture::Grid() const {
  return Form1->ui->DrawGrid1;
}

QByteArray TWindowFixture::Program(int size, const QByteArray& name, quint32 formatTag) {
  QByteArray bytes(size, '\x5A');
  SetWordAt(bytes, 0, formatTag);
  QByteArray field = name.left(16);
  field.append(QByteArray(16 - field.size(), '\0'));
  bytes.replace(4, 16, field);
  return bytes;
}
