#pragma once
// What kivnvm's offline tests start from: an empty work folder for each test, the files they
// put there, and a program image of the ELF kind.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "common/bytes.h"
#include "tests/cli/kivnvmrunner.h"

// An ELF program named "Elfie" whose icon words are iconA and iconB.
QByteArray ElfProgram(quint32 iconA, quint32 iconB);

class TKivnvmFilesTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // The test runner finds this by name, for the tests of the derived classes too.
  void init();

 protected:
  QString Path(const QString& name) const { return work_->filePath(name); }
  QString Put(const QString& name, const QByteArray& bytes) const {
    WriteFileBytes(Path(name), bytes);
    return Path(name);
  }

  TKivnvm kivnvm_;
  std::unique_ptr<QTemporaryDir> work_;
};
