#include "tests/phone/virtualphonetest.h"

#include "phone/gbpexports.h"

QByteArray Pattern(int length, char seed) {
  QByteArray bytes(length, '\0');
  for (int at = 0; at < length; ++at)
    bytes[at] = char(seed + at % 97);
  return bytes;
}

void TVirtualPhoneTest::cleanup() {
  EndGBPMode();
}
