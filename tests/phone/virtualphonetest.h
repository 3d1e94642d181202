#pragma once
// What both test programs of the virtual phone share: the link closed after every test, so
// that none starts with it open, and contents a test can tell from any other.

#include <QByteArray>
#include <QObject>

// length bytes that repeat only every 97, starting from seed.
QByteArray Pattern(int length, char seed);

class TVirtualPhoneTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // The test runner finds this by name, for the tests of the derived classes too.
  void cleanup();
};
