#include "common/messages.h"

#include "common/sectionaddress.h"
#include "common/texts.h"

QString GBPErrorMessage(int code, TWording wording) {
  const auto text = [wording](const char* source) { return Worded<TCommonText>(wording, source); };
  switch (code) {
    case -1:
      return text(QT_TRANSLATE_NOOP("Common", "GBP Error: Port already opened!"));
    case -2:
      return text(QT_TRANSLATE_NOOP("Common", "GBP Error: Can't open port!"));
    case -3:
      return text(QT_TRANSLATE_NOOP("Common", "GBP Error: No AT response!"));
    case -4:
      return text(QT_TRANSLATE_NOOP("Common", "GBP Error: Port must be opened!"));
    case -5:
      return text(QT_TRANSLATE_NOOP("Common", "GBP Error: COMM Error!"));
    case -6:
      return text(QT_TRANSLATE_NOOP("Common", "GBP Error: No Memory!"));
    case -7:
      return text(QT_TRANSLATE_NOOP("Common", "GBP Error: Invalid arguments!"));
    default:
      return text(QT_TRANSLATE_NOOP("Common", "GBP Error: Unknown error #%1!")).arg(code);
  }
}

QString UnableToOpenGBPText() {
  return TCommonText::tr("Unable to open GPB.DLL");
}

QString DemoPhoneText() {
  return TCommonText::tr("demo phone");
}

QString ErrorCaption() {
  return TCommonText::tr("ERROR");
}

QString SuccessCaption() {
  return TCommonText::tr("OK!");
}

QString SizeErrorText(const TSectionAddress& address) {
  return TCommonText::tr("Error getting section %1 size").arg(address.Text());
}

QString ReadErrorText(const TSectionAddress& address) {
  return TCommonText::tr("Error reading section %1").arg(address.Text());
}

QString LinkLostText(const TSectionAddress& address, const QString& reason) {
  // A reason that is a sentence of its own would end in "(signal 11).)".
  const QString told = reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason;
  //: %1 is a section ("18-11"), %2 why the link was lost
  return TCommonText::tr("The link was lost at section %1 (%2)").arg(address.Text(), told);
}

QString FileTooBigText() {
  return TCommonText::tr("Can't uplod - file too big!");
}

QString LibraryTooBigText() {
  return TCommonText::tr("Can't uplod - library file too big!");
}

QString UploadedText() {
  return TCommonText::tr("Section uploaded sucsessfully!");
}

QString UploadErrorText() {
  return TCommonText::tr(
      "Section uploaded with error or out of memory!\n"
      "Try to upload again or free some NVM memory");
}
