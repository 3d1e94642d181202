#pragma once
// Little-endian access to section and file bytes. Reads past the bytes held give zero
// and writes past them are dropped, so no rule can reach outside a buffer.

#include <QByteArray>
#include <QtGlobal>

inline quint32 WordAt(const QByteArray& data, qint64 offset) {
  quint32 word = 0;
  for (int i = 3; i >= 0; --i) {
    const qint64 at = offset + i;
    const quint8 byte = (at >= 0 && at < data.size()) ? quint8(data[at]) : 0;
    word = (word << 8) | byte;
  }
  return word;
}

inline quint8 ByteAt(const QByteArray& data, qint64 offset) {
  return (offset >= 0 && offset < data.size()) ? quint8(data[offset]) : 0;
}

// True when the four bytes at offset lie inside the data.
inline bool HoldsWordAt(const QByteArray& data, qint64 offset) {
  return offset >= 0 && offset + 4 <= data.size();
}

inline void SetWordAt(QByteArray& data, qint64 offset, quint32 value) {
  if (!HoldsWordAt(data, offset))
    return;
  for (int i = 0; i < 4; ++i)
    data[offset + i] = char((value >> (8 * i)) & 0xFF);
}

inline void AppendWord(QByteArray& data, quint32 value) {
  for (int i = 0; i < 4; ++i)
    data.append(char((value >> (8 * i)) & 0xFF));
}
