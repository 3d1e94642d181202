#include "link/linkcalls.h"

#include <QDateTime>
#include <atomic>
#include <utility>

#include "common/bytecount.h"
#include "common/messages.h"
#include "common/texts.h"
#include "link/gbp.h"
#include "link/gbplibrary.h"

namespace {

std::atomic<TLinkObserver*> observer{nullptr};
// Held while an observer is changed or called, so that a removed one is never called after
// SetLinkObserver returns. Taken only when an observer is installed.
std::mutex& ObserverLock() {
  static std::mutex lock;
  return lock;
}

QString EntryName(TGBPEntry entry) {
  switch (entry) {
    case TGBPEntry::InitGBPMode:
      return QStringLiteral("InitGBPMode");
    case TGBPEntry::EndGBPMode:
      return QStringLiteral("EndGBPMode");
    case TGBPEntry::ReadNVMFile:
      return QStringLiteral("ReadNVMFile");
    case TGBPEntry::WriteNVMFile:
      return QStringLiteral("WriteNVMFile");
    case TGBPEntry::ClearNVMFile:
      return QStringLiteral("ClearNVMFile");
    case TGBPEntry::GetNVMFileSize:
      return QStringLiteral("GetNVMFileSize");
  }
  return QString();
}

QString SizeMeaning(int size, TWording wording) {
  if (size == GBPSizeNoSection)
    return Worded<TLinkText>(wording, QT_TRANSLATE_NOOP("Link", "holds nothing"));
  if (size == GBPSizeUnknown)
    return Worded<TLinkText>(wording,
                             QT_TRANSLATE_NOOP("Link", "holds nothing, or the phone's I/O error"));
  if (size == 0)
    return Worded<TLinkText>(wording, QT_TRANSLATE_NOOP("Link", "empty"));
  return size > 0 ? BytesText(size, wording) : GBPErrorMessage(size, wording);
}

}  // namespace

void SetLinkObserver(TLinkObserver* newObserver) {
  const std::lock_guard<std::mutex> guard(ObserverLock());
  observer.store(newObserver);
}

void RemoveLinkObserver(TLinkObserver* installed) {
  const std::lock_guard<std::mutex> guard(ObserverLock());
  if (observer.load() == installed)
    observer.store(nullptr);
}

bool LinkObserved() {
  return observer.load(std::memory_order_relaxed) != nullptr;
}

void NotifyLinkCall(const TLinkCall& call) {
  const std::lock_guard<std::mutex> guard(ObserverLock());
  if (TLinkObserver* current = observer.load())
    current->LinkCalled(call);
}

TLinkCallCollector::TLinkCallCollector(int capacity, std::function<void()> afterCall)
    : ring_(size_t(qMax(capacity, 1))), afterCall_(std::move(afterCall)) {}

TLinkCallCollector::~TLinkCallCollector() {
  Stop();
}

void TLinkCallCollector::Start() {
  SetLinkObserver(this);
  const std::lock_guard<std::mutex> guard(mutex_);
  collecting_ = true;
}

void TLinkCallCollector::Stop() {
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    if (!collecting_)
      return;
    collecting_ = false;
  }
  RemoveLinkObserver(this);
}

bool TLinkCallCollector::Collecting() const {
  const std::lock_guard<std::mutex> guard(mutex_);
  return collecting_;
}

QList<TLinkCall> TLinkCallCollector::KeptSince(quint64 mark) const {
  const quint64 oldestKept = qMax(collected_ - qMin<quint64>(collected_, ring_.size()), cleared_);
  QList<TLinkCall> calls;
  for (quint64 index = qMax(mark, oldestKept); index < collected_; ++index)
    calls.append(ring_[index % ring_.size()]);
  return calls;
}

QList<TLinkCall> TLinkCallCollector::Calls() const {
  const std::lock_guard<std::mutex> guard(mutex_);
  return KeptSince(0);
}

QList<TLinkCall> TLinkCallCollector::Since(quint64& mark) const {
  const std::lock_guard<std::mutex> guard(mutex_);
  QList<TLinkCall> calls = KeptSince(mark);
  mark = collected_;
  return calls;
}

void TLinkCallCollector::Clear() {
  const std::lock_guard<std::mutex> guard(mutex_);
  cleared_ = collected_;
}

void TLinkCallCollector::LinkCalled(const TLinkCall& call) {
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    ring_[collected_ % ring_.size()] = call;
    ++collected_;
  }
  if (afterCall_)
    afterCall_();
}

QString LinkCallText(const TLinkCall& call) {
  QString arguments;
  switch (call.Entry) {
    case TGBPEntry::InitGBPMode:
      arguments = QString::number(call.Port);
      break;
    case TGBPEntry::EndGBPMode:
      break;
    case TGBPEntry::ReadNVMFile:
    case TGBPEntry::WriteNVMFile:
      arguments =
          QStringLiteral("%1,%2,%3").arg(call.Section).arg(call.SubSection).arg(call.Length);
      break;
    case TGBPEntry::ClearNVMFile:
    case TGBPEntry::GetNVMFileSize:
      arguments = QStringLiteral("%1,%2").arg(call.Section).arg(call.SubSection);
      break;
  }
  return EntryName(call.Entry) + QLatin1Char('(') + arguments + QLatin1Char(')');
}

QString LinkResultMeaning(const TLinkCall& call, TWording wording) {
  if (!call.Fault.isEmpty())
    return call.Fault;
  const int result = call.Result;
  const auto text = [wording](const char* source, int count = -1) {
    return Worded<TLinkText>(wording, source, count);
  };
  const QString failure = result < 0 ? GBPErrorMessage(result, wording) : QString();
  switch (call.Entry) {
    case TGBPEntry::InitGBPMode:
      return result == 0 ? text(QT_TRANSLATE_NOOP("Link", "link open"))
                         : GBPErrorMessage(result, wording);
    case TGBPEntry::EndGBPMode:
      return text(QT_TRANSLATE_NOOP("Link", "link closed"));
    case TGBPEntry::GetNVMFileSize:
      return SizeMeaning(result, wording);
    case TGBPEntry::ReadNVMFile:
      return result >= 0 ? text(QT_TRANSLATE_N_NOOP("Link", "%n bytes read"), result) : failure;
    case TGBPEntry::WriteNVMFile:
      return result >= 0 ? text(QT_TRANSLATE_NOOP("Link", "accepted")) : failure;
    case TGBPEntry::ClearNVMFile:
      return result >= 0 ? text(QT_TRANSLATE_NOOP("Link", "erased")) : failure;
  }
  return QString();
}

QString LinkLogLine(const TLinkCall& call, TWording wording) {
  const QString time =
      QDateTime::fromMSecsSinceEpoch(call.StartedMs).toString(QStringLiteral("HH:mm:ss.zzz"));
  const QString duration = QString::number(double(call.DurationNs) / 1e6, 'f', 3);
  return QStringLiteral("%1  %2 = %3 %4 B %5 ms  %6")
      .arg(time, LinkCallText(call).leftJustified(24))
      .arg(call.Result, -6)
      .arg(call.Bytes, 7)
      .arg(duration, 9)
      .arg(LinkResultMeaning(call, wording));
}
