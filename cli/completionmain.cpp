// kivnvm-completion: writes kivnvm's bash completion, made from its command table, to the
// file named; the build runs it so the installed completion always matches the commands.

#include <QSaveFile>
#include <cstdio>

#include "cli/completion.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fputs("usage: kivnvm-completion FILE\n", stderr);
    return 2;
  }
  QSaveFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::WriteOnly) || file.write(BashCompletion().toUtf8()) < 0 ||
      !file.commit()) {
    std::fprintf(stderr, "kivnvm-completion: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
