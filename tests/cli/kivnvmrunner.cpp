#include "tests/cli/kivnvmrunner.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <QCoreApplication>
#include <QDir>
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
  if (library == WithLibrary) {
    CopyBeside(QStringLiteral("libgbp.so"), dir_.path());
    CopyBeside(QStringLiteral("kiv-linkhost"), dir_.path());
  }
}

// With the test's environment as it is when the program starts (a virtual phone sets its
// folder there), and the variables the test set.
void TKivnvm::Start(QProcess& process, const QStringList& arguments) const {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (auto variable = variables_.cbegin(); variable != variables_.cend(); ++variable) {
    if (variable.value().isEmpty())
      environment.remove(variable.key());
    else
      environment.insert(variable.key(), variable.value());
  }
  process.setProcessEnvironment(environment);
  process.start(dir_.filePath(QStringLiteral("kivnvm")), arguments);
}

TKivnvmRun TKivnvm::Run(const QStringList& arguments, const QByteArray& standardInput) const {
  QProcess process;
  Start(process, arguments);
  process.write(standardInput);
  process.closeWriteChannel();
  return Finish(process);
}

std::unique_ptr<QProcess> TKivnvm::Launch(const QStringList& arguments) const {
  auto process = std::make_unique<QProcess>();
  Start(*process, arguments);
  return process;
}

TKivnvmRun TKivnvm::RunFromFile(const QStringList& arguments, const QString& inputPath) const {
  QProcess process;
  process.setStandardInputFile(inputPath);
  Start(process, arguments);
  return Finish(process);
}

// A program that hangs fails the test after two minutes instead of holding it for ever.
TKivnvmRun TKivnvm::Finish(QProcess& process) const {
  TKivnvmRun run;
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
    return run;
  run.ExitCode = process.exitCode();
  run.OutBytes = process.readAllStandardOutput();
  run.Out = QString::fromUtf8(run.OutBytes);
  run.Err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

void TKivnvm::AddBeside(const QString& name) const {
  CopyBeside(name, dir_.path());
}

void TKivnvm::WriteSettings(const QByteArray& iniText) const {
  WriteFileBytes(dir_.filePath(QStringLiteral("KivManager.INI")), iniText);
}

void TKivnvm::AddCatalogues() const {
  const QString folder = QStringLiteral("translations");
  QDir(dir_.path()).mkdir(folder);
  const QDir built(QCoreApplication::applicationDirPath() + QLatin1Char('/') + folder);
  for (const QString& name : built.entryList({QStringLiteral("*.qm")}, QDir::Files))
    CopyBeside(folder + QLatin1Char('/') + name, dir_.path());
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

namespace {

// The kernel's memory devices: 1,7 fails every write with "No space left on device", 1,5
// reads zeros without end.
dev_t DeviceNumber(TSpecialFile kind) {
  return makedev(1, kind == sfFullDevice ? 7 : 5);
}

}  // namespace

bool MakeSpecialFile(const QString& path, TSpecialFile kind) {
  const QByteArray name = QFile::encodeName(path);
  if (kind == sfFifo)
    return mkfifo(name.constData(), 0600) == 0;
  return mknod(name.constData(), S_IFCHR | 0600, DeviceNumber(kind)) == 0;
}

bool IsSpecialFile(const QString& path, TSpecialFile kind) {
  struct stat info {};
  if (lstat(QFile::encodeName(path).constData(), &info) != 0)
    return false;
  if (kind == sfFifo)
    return S_ISFIFO(info.st_mode);
  return S_ISCHR(info.st_mode) && info.st_rdev == DeviceNumber(kind);
}
