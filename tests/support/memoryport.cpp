#include "tests/support/memoryport.h"

#include <cstring>

#include "common/messages.h"

namespace {

constexpr int NoSection = -153;
constexpr int PortNotOpen = -4;

}  // namespace

bool TMemoryPort::Open() {
  Calls << QStringLiteral("Open");
  if (!open_)
    open_ = OpenResult == 0;
  return open_;
}

void TMemoryPort::Close() {
  Calls << QStringLiteral("Close");
  open_ = false;
}

int TMemoryPort::GetSize(const TSectionAddress& address) {
  const QString name = address.Text();
  Calls << QStringLiteral("GetSize ") + name;
  if (name == LostAt)
    lost_ = GBPErrorMessage(PortNotOpen);
  if (!open_ || !lost_.isEmpty())
    return PortNotOpen;
  if (gone_)
    return NoSection;
  if (SizeFaults.contains(name))
    return SizeFaults[name];
  return Sections.contains(name) ? int(Sections[name].size()) : NoSection;
}

int TMemoryPort::Read(const TSectionAddress& address, void* buffer, quint32 length) {
  const QString name = address.Text();
  Calls << QStringLiteral("Read ") + name;
  if (!open_)
    return PortNotOpen;
  if (gone_)
    return 0;
  if (ReadFaults.contains(name))
    return ReadFaults[name];
  const QByteArray bytes = Sections.value(name);
  const int count = int(qMin<qint64>(bytes.size(), length));
  std::memcpy(buffer, bytes.constData(), size_t(count));
  gone_ = name == GoneAfter;
  return count;
}

int TMemoryPort::Write(const TSectionAddress& address, const void* data, quint32 length) {
  const QString name = address.Text();
  Calls << QStringLiteral("Write ") + name;
  if (OnWrite)
    OnWrite();
  if (!open_)
    return PortNotOpen;
  if (WriteFaults.contains(name))
    return WriteFaults[name];
  const int kept = int(qMin<qint64>(TruncatedWrites.value(name, int(length)), length));
  Sections[name] = QByteArray(static_cast<const char*>(data), kept);
  return 0;
}

int TMemoryPort::Clear(const TSectionAddress& address) {
  Calls << QStringLiteral("Clear ") + address.Text();
  if (!open_)
    return PortNotOpen;
  Sections.remove(address.Text());
  return 0;
}
