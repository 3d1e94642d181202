#include "tests/cli/kivnvmrunner.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

namespace {

void CopyBeside(const QString& name, const QString& dir) {
  const QString from = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
  if (!QFile::copy(from, dir + QLatin1Char('/') + name))
    qFatal("cannot copy %s for the test", qPrintable(from));
}

}  // namespace

QStringList TKivnvmRun::OutLines() const {
  return Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TKivnvm::TKivnvm(TLibrary library) {
  CopyBeside(QStringLiteral("kivnvm"), dir_.path());
  if (library == WithLibrary)
    CopyBeside(QStringLiteral("libgbp.so"), dir_.path());
}

TKivnvmRun TKivnvm::Run(const QStringList& arguments) const {
  QProcess process;
  process.start(dir_.filePath(QStringLiteral("kivnvm")), arguments);
  TKivnvmRun run;
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
    return run;
  run.ExitCode = process.exitCode();
  run.Out = QString::fromUtf8(process.readAllStandardOutput());
  run.Err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

void TKivnvm::WriteSettings(const QByteArray& iniText) const {
  WriteFileBytes(dir_.filePath(QStringLiteral("KivManager.INI")), iniText);
}

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return file.readAll();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write %s for the test", qPrintable(path));
}
