#include "tests/cli/kivnvmfilestest.h"

#include "tests/cli/sampleimages.h"

QByteArray ElfProgram(quint32 iconA, quint32 iconB) {
  QByteArray elf(84, '\0');
  SetWordAt(elf, 0, 0x464C457F);
  SetWordAt(elf, 28, 52);
  SetWordAt(elf, 56, 84);
  elf += Word(0x20010000) + QByteArray("Elfie").leftJustified(16, '\0') + Word(iconA) +
         Word(iconB) + QByteArray(500, 'e');
  return elf;
}

void TKivnvmFilesTest::init() {
  work_ = std::make_unique<QTemporaryDir>();
}
