#include "transfer/ops/keepingport.h"

#include "common/bytecount.h"
#include "common/errors.h"
#include "common/messages.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "transfer/limits.h"
#include "transfer/ops/sectionio.h"

namespace {

THistoryConfig ConfigFor(TPhonePort& port, const THistoryConfig& history) {
  // Nested work of a change that is kept already keeps nothing of its own.
  if (dynamic_cast<TKeepingPort*>(&port))
    return {};
  return history;
}

QString KeepingText(const TSectionAddress& address, int size) {
  return TTransferText::tr("Keeping a copy of %1, %2...").arg(address.Text(), BytesText(size));
}

}  // namespace

TKeepingPort::TKeepingPort(TPhonePort& port, const THistoryConfig& history, const QString& change,
                           TReporter& reporter)
    : port_(port), change_(change), reporter_(reporter), store_(ConfigFor(port, history)) {}

bool TKeepingPort::Open() {
  return port_.Open();
}

void TKeepingPort::Close() {
  RecordAfter();
  port_.Close();
}

int TKeepingPort::GetSize(const TSectionAddress& address) {
  return port_.GetSize(address);
}

int TKeepingPort::Read(const TSectionAddress& address, void* buffer, quint32 length) {
  return port_.Read(address, buffer, length);
}

int TKeepingPort::Write(const TSectionAddress& address, const void* data, quint32 length) {
  KeepBefore(address);
  return port_.Write(address, data, length);
}

int TKeepingPort::Clear(const TSectionAddress& address) {
  KeepBefore(address);
  return port_.Clear(address);
}

void TKeepingPort::KeepBefore(const TSectionAddress& address) {
  if (!store_.Keeps())
    return;
  const QString key = address.Text();
  touched_.insert(key, address);
  if (seen_.contains(key))
    return;
  seen_.insert(key);
  // The copy is read as every whole section is, so a size the phone did not tell, one too
  // large to read or a read cut short is told as a copy not kept, never passed over.
  const int size = port_.GetSize(address);
  if (size > 0 && size <= UploadBufferSize)
    reporter_.Status(KeepingText(address, size));
  const TSectionRead read = ReadSectionOfSize(port_, address, size, UploadBufferSize);
  if (read.State == TSectionRead::Empty)
    return;
  // The user's command goes on whatever becomes of the copy.
  if (read.State != TSectionRead::Held) {
    NotKeptBecause(TTransferText::tr("No copy kept: %1").arg(WholeReadProblem(read, address)));
    return;
  }
  const QByteArray& bytes = read.Bytes;
  // The store's file errors end only the copy, not the change it was to keep.
  try {
    kept_.insert(key, store_.Add(address, change_, bytes));
  } catch (const Exception& error) {
    NotKeptBecause(TTransferText::tr("No copy kept of %1: %2").arg(key, error.Message()));
  }
}

void TKeepingPort::NotKeptBecause(const QString& problem) {
  notKept_ << problem;
  reporter_.Status(problem);
}

void TKeepingPort::RecordAfter() {
  for (auto it = touched_.cbegin(); it != touched_.cend(); ++it) {
    const QString id = kept_.value(it.key());
    if (id.isEmpty())
      continue;
    const TSectionRead read = ReadWholeSection(port_, it.value(), UploadBufferSize);
    TSectionState after;
    if (read.State == TSectionRead::Held)
      after = StateOfBytes(read.Bytes);
    else if (read.State == TSectionRead::Empty)
      after = EmptyState();
    try {
      store_.Finish(id, after);
    } catch (const Exception& error) {
      NotKeptBecause(TTransferText::tr("History of %1: %2").arg(it.key(), error.Message()));
    }
  }
  touched_.clear();
}
