#pragma once
// Runs the built kivnvm as a separate program. It runs from a copy in a temporary folder
// (with libgbp.so and the link host beside it, unless a test wants the library missing), so a
// KivManager.INI in the build folder never reaches the tests and a test can put its own beside it.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QProcess;

struct TKivnvmRun {
  int ExitCode = -1;
  QByteArray OutBytes;  // standard output as written, for binary output
  QString Out;
  QString Err;
  QStringList OutLines() const;
};

class TKivnvm {
 public:
  enum TLibrary { WithLibrary, WithoutLibrary };
  explicit TKivnvm(TLibrary library = WithLibrary);

  // standardInput is written to the program's standard input, which is then closed.
  TKivnvmRun Run(const QStringList& arguments, const QByteArray& standardInput = {}) const;
  // Started, not waited for: the process is killed when the object goes.
  std::unique_ptr<QProcess> Launch(const QStringList& arguments) const;
  // With the file at inputPath (an endless device, say) as standard input.
  TKivnvmRun RunFromFile(const QStringList& arguments, const QString& inputPath) const;
  // KivManager.INI beside the program.
  void WriteSettings(const QByteArray& iniText) const;
  // A copy of a file of the test programs' folder beside the program (a Windows link host).
  void AddBeside(const QString& name) const;
  // The compiled catalogues beside the program, where it finds them in a build folder.
  void AddCatalogues() const;
  // The variable set to value for the runs from now on; an empty value unsets it.
  void SetVariable(const QString& name, const QString& value) { variables_[name] = value; }
  QString Dir() const { return dir_.path(); }

 private:
  void Start(QProcess& process, const QStringList& arguments) const;
  TKivnvmRun Finish(QProcess& process) const;

  QTemporaryDir dir_;
  QMap<QString, QString> variables_;
};

// Test helpers over files.
QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);

// Special files in a test's own folder, never the machine's /dev. False when this machine
// does not let the test make one (device nodes need root).
enum TSpecialFile { sfFullDevice, sfZeroDevice, sfFifo };
bool MakeSpecialFile(const QString& path, TSpecialFile kind);
// Whether path still is that kind of file (a regular file put in its place is not).
bool IsSpecialFile(const QString& path, TSpecialFile kind);
