#pragma once
// Test data written as little-endian 32-bit words.

#include <QByteArray>
#include <initializer_list>

#include "common/bytes.h"

inline QByteArray Words(std::initializer_list<quint32> words) {
  QByteArray bytes;
  for (quint32 word : words)
    AppendWord(bytes, word);
  return bytes;
}
