// Prints the language the programs speak when none is chosen, as the window and kivnvm resolve
// it from the environment they start in.

#include <QCoreApplication>
#include <cstdio>

#include "common/language.h"

int main(int argc, char* argv[]) {
  const QCoreApplication application(argc, argv);
  std::puts(qPrintable(ResolvedLanguage(QString())));
  return 0;
}
