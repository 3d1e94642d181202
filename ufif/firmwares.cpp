#include "ufif/firmwares.h"

const QStringList& FirmwareTable() {
  static const QStringList table = {
      QStringLiteral("0x370000 - J7/70 3.10/4"), QStringLiteral("0x36A658 - J7/70 3.10/5"),
      QStringLiteral("0x36A658 - J7/70 3.6/5"),  QStringLiteral("0x36A658 - J5/6 5.4.2/1"),
      QStringLiteral("0x37BDD8 - J5/6 5.4.2/4"), QStringLiteral("0x36A658 - J5/6 5.4.2/5"),
      QStringLiteral("0x37BDD8 - Z7 4.5.6/4"),
  };
  return table;
}
