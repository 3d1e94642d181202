// Run from a folder laid out as an installation, prints what the loader took: the file
// name, whether the library is usable and whether it can write (which tells the test's
// libraries apart), and how it runs.

#include <QCoreApplication>
#include <cstdio>

#include "link/gbplibrary.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  const auto library = MakeGBPLibrary(TLinkChoice());
  std::printf("%s\n%s\n%s\n%s\n", qPrintable(library->FileName()),
              library->Usable() ? "usable" : "unusable",
              library->Has(TGBPEntry::WriteNVMFile) ? "writes" : "no write",
              qPrintable(library->HowItRuns()));
  return 0;
}
