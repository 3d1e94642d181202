#pragma once
// Section contents for the recognition tests, laid out field by field.

#include <QByteArray>
#include <QString>

#include "common/bytes.h"

class TBytes {
 public:
  explicit TBytes(int size = 0) : data_(size, '\0') {}

  TBytes& Word(qint64 at, quint32 value) {
    Reach(at + 4);
    SetWordAt(data_, at, value);
    return *this;
  }
  TBytes& Text(qint64 at, const QByteArray& text) {
    Reach(at + text.size());
    data_.replace(int(at), text.size(), text);
    return *this;
  }
  TBytes& Utf16(qint64 at, const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
      const char16_t unit = text[i].unicode();
      Text(at + 2 * i, QByteArray().append(char(unit & 0xFF)).append(char(unit >> 8)));
    }
    return *this;
  }
  // Grows with zero bytes, as a section's unused room reads.
  TBytes& Size(int size) {
    Reach(size);
    data_.truncate(size);
    return *this;
  }
  operator QByteArray() const { return data_; }

 private:
  void Reach(qint64 end) {
    if (data_.size() < end)
      data_.append(QByteArray(int(end - data_.size()), '\0'));
  }
  QByteArray data_;
};

// An ELF file's start: the magic, e_phoff at 28 and the first program header's p_offset.
inline TBytes ElfWithHeaderAt(quint32 phoff, quint32 headerOffset, int size = 128) {
  TBytes elf(size);
  elf.Word(0, 0x464C457F).Word(28, phoff);
  if (phoff <= 120)
    elf.Word(phoff + 4, headerOffset);
  return elf.Size(size);
}
