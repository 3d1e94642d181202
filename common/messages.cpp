#include "common/messages.h"

#include "common/sectionaddress.h"

QString GBPErrorMessage(int code) {
  switch (code) {
    case -1:
      return QStringLiteral("GBP Error: Port already opened!");
    case -2:
      return QStringLiteral("GBP Error: Can't open port!");
    case -3:
      return QStringLiteral("GBP Error: No AT response!");
    case -4:
      return QStringLiteral("GBP Error: Port must be opened!");
    case -5:
      return QStringLiteral("GBP Error: COMM Error!");
    case -6:
      return QStringLiteral("GBP Error: No Memory!");
    case -7:
      return QStringLiteral("GBP Error: Invalid arguments!");
    default:
      return QStringLiteral("GBP Error: Unknown error #%1!").arg(code);
  }
}

QString UnableToOpenGBPText() {
  return QStringLiteral("Unable to open GPB.DLL");
}

QString ErrorCaption() {
  return QStringLiteral("ERROR");
}

QString SuccessCaption() {
  return QStringLiteral("OK!");
}

QString SizeErrorText(const TSectionAddress& address) {
  return QStringLiteral("Error getting section %1 size").arg(address.Text());
}

QString ReadErrorText(const TSectionAddress& address) {
  return QStringLiteral("Error reading section %1").arg(address.Text());
}

QString LinkLostText(const TSectionAddress& address, const QString& reason) {
  return QStringLiteral("The link was lost at section %1 (%2)").arg(address.Text(), reason);
}

QString FileTooBigText() {
  return QStringLiteral("Can't uplod - file too big!");
}

QString LibraryTooBigText() {
  return QStringLiteral("Can't uplod - library file too big!");
}

QString UploadedText() {
  return QStringLiteral("Section uploaded sucsessfully!");
}

QString UploadErrorText() {
  return QStringLiteral(
      "Section uploaded with error or out of memory!\n"
      "Try to upload again or free some NVM memory");
}
