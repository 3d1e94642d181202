#include "transfer/ops/sectionio.h"

#include "catalogue/classify.h"
#include "common/messages.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "link/gbp.h"
#include "link/phoneport.h"
#include "link/sectionanswer.h"
#include "transfer/limits.h"
#include "transfer/ops/keepingport.h"

namespace {

// The phone answered a read with more bytes than the section or the buffer holds.
QString OverclaimText(const TSectionAddress& address, int claimed, int held) {
  return TTransferText::tr("%1: the phone claimed %n bytes read, but only %2 can be there", nullptr,
                           claimed)
      .arg(ReadErrorText(address))
      .arg(held);
}

TSectionRead::TState StateOf(const TSectionAnswer& answer) {
  switch (answer.Kind) {
    case TSectionAnswer::Holds:
      return TSectionRead::Held;
    case TSectionAnswer::Empty:
      return TSectionRead::Empty;
    case TSectionAnswer::NotTold:
      return TSectionRead::Unknown;
    case TSectionAnswer::SizeFailed:
      return TSectionRead::SizeFailed;
    case TSectionAnswer::ReadShort:
      break;
  }
  return TSectionRead::ReadFailed;
}

// Why the phone does not hold the bytes written, judged by what it answered and reports.
QString WriteProblem(const TWriteOutcome& outcome, int written) {
  if (outcome.WriteResult < 0)
    return TTransferText::tr("the phone refused the write (%1)")
        .arg(GBPErrorMessage(outcome.WriteResult));
  if (!outcome.Refresh.Ok())
    return outcome.Refresh.Error;
  const int size = outcome.Refresh.Size;
  if (SizeMeansEmpty(size))
    return TTransferText::tr("the phone did not take the section (out of memory or refused)");
  return TTransferText::tr(
             "the phone holds %1 of the %n bytes written: the section now holds neither the old "
             "nor the new content",
             nullptr, written)
      .arg(size);
}

QString ReadBackProblem(TPhonePort& port, const TSectionAddress& target, const QByteArray& bytes) {
  const TSectionRead back = ReadWholeSection(port, target, UploadBufferSize);
  if (back.State == TSectionRead::Empty && bytes.isEmpty())
    return {};
  if (back.State != TSectionRead::Held)
    return WholeReadProblem(back, target);
  return back.Bytes == bytes ? QString()
                             : TTransferText::tr("the bytes read back differ from those written");
}

}  // namespace

TBytesRead ReadSectionBytes(TPhonePort& port, const TSectionAddress& address, int capacity,
                            TReporter& reporter) {
  TBytesRead read;
  QByteArray buffer(capacity, '\0');
  int count = 0;
  {
    TLinkSession link(port);
    if (!link.IsOpen())
      return read;
    count = port.Read(address, buffer.data(), quint32(buffer.size()));
  }
  if (count < 0 || count > capacity) {
    read.State = TBytesRead::ReadFailed;
    read.Problem = count < 0 ? ReadErrorText(address) : OverclaimText(address, count, capacity);
    reporter.Error(read.Problem);
    return read;
  }
  buffer.truncate(count);
  read.State = TBytesRead::Read;
  read.Bytes = buffer;
  return read;
}

TSectionRead ReadWholeSection(TPhonePort& port, const TSectionAddress& address, int capacity) {
  return ReadSectionOfSize(port, address, port.GetSize(address), capacity);
}

TSectionRead ReadSectionOfSize(TPhonePort& port, const TSectionAddress& address, int size,
                               int capacity) {
  TSectionRead read;
  read.Size = size;
  read.State = StateOf(JudgeAnswer(read.Size, std::nullopt));
  if (read.State == TSectionRead::Held && read.Size > capacity)
    read.State = TSectionRead::TooBig;
  if (read.State != TSectionRead::Held)
    return read;
  read.Bytes = QByteArray(capacity, '\0');
  read.Count = port.Read(address, read.Bytes.data(), quint32(read.Bytes.size()));
  read.State = StateOf(JudgeAnswer(read.Size, read.Count));
  if (read.State != TSectionRead::Held) {
    read.Bytes.clear();
    return read;
  }
  read.Bytes.truncate(read.Count);
  return read;
}

QString WholeReadProblem(const TSectionRead& read, const TSectionAddress& address) {
  switch (read.State) {
    case TSectionRead::Held:
      return {};
    case TSectionRead::Empty:
      return TTransferText::tr("Section %1 is empty").arg(address.Text());
    case TSectionRead::Unknown:
      return TTransferText::tr("Section %1: the phone did not tell what it holds (size answer %2)")
          .arg(address.Text())
          .arg(read.Size);
    case TSectionRead::SizeFailed:
      return SizeErrorText(address);
    case TSectionRead::TooBig:
      return TTransferText::tr("Section %1 holds %n bytes, more than can be read", nullptr,
                               read.Size)
          .arg(address.Text());
    case TSectionRead::ReadFailed:
      break;
  }
  if (read.Count < 0)
    return ReadErrorText(address);
  if (read.Count > read.Size)
    return OverclaimText(address, read.Count, read.Size);
  return TTransferText::tr("%1: %2 of its %n bytes read", nullptr, read.Size)
      .arg(ReadErrorText(address))
      .arg(read.Count);
}

TWriteOutcome WriteAndJudgeInLink(TPhonePort& port, TCatalogue& catalogue,
                                  const TSectionAddress& target, const QByteArray& bytes,
                                  TWriteCheck check, TReporter& reporter) {
  TWriteOutcome outcome;
  outcome.LinkOpened = true;
  outcome.WriteResult = port.Write(target, bytes.constData(), quint32(bytes.size()));
  outcome.Refresh = RefreshSection(port, catalogue, target, reporter);
  if (outcome.Refresh.Held() != bytes.size())
    outcome.Problem = WriteProblem(outcome, int(bytes.size()));
  else if (check == TWriteCheck::ByReadBack)
    outcome.Problem = ReadBackProblem(port, target, bytes);
  outcome.Whole = outcome.Problem.isEmpty();
  return outcome;
}

TWriteOutcome WriteAndJudge(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& target,
                            const QByteArray& bytes, TWriteCheck check, TReporter& reporter) {
  const TLinkSession link(port);
  if (!link.IsOpen())
    return {};
  return WriteAndJudgeInLink(port, catalogue, target, bytes, check, reporter);
}

void ReportUpload(TReporter& reporter, bool written, const QString& errorText) {
  if (written) {
    reporter.Notice(UploadedText(), SuccessCaption());
    reporter.Status(TTransferText::tr("Uploaded!"));
  } else {
    reporter.Error(errorText);
    reporter.Status(TTransferText::tr("Upload error!"));
  }
}

bool TClearOutcome::Cleared() const {
  const int size = Refresh.Size;
  return LinkOpened && ClearResult >= 0 && Refresh.Ok() && (size == 0 || size == GBPSizeNoSection);
}

TClearOutcome ClearSection(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& target,
                           const THistoryConfig& history, TReporter& reporter) {
  reporter.Status(TTransferText::tr("Erasing section..."));
  TClearOutcome outcome;
  TKeepingPort keeping(port, history, QT_TRANSLATE_NOOP("Transfer", "Clear"), reporter);
  {
    const TLinkSession link(keeping);
    if (!link.IsOpen())
      return outcome;
    outcome.LinkOpened = true;
    outcome.ClearResult = keeping.Clear(target);
    // The refresh shows what the section holds now; a failure there has its own message.
    outcome.Refresh = RefreshSection(keeping, catalogue, target, reporter);
  }
  outcome.NotKept = keeping.NotKept();
  reporter.Status(TTransferText::tr("Erased!"));
  return outcome;
}

TClearOutcome ClearInLink(TPhonePort& port, const TSectionAddress& target) {
  TClearOutcome outcome;
  outcome.LinkOpened = true;
  outcome.ClearResult = port.Clear(target);
  outcome.Refresh.Size = port.GetSize(target);
  if (outcome.Refresh.Size < 0 && !SizeMeansEmpty(outcome.Refresh.Size))
    outcome.Refresh.Error = SizeErrorText(target);
  return outcome;
}

QString ClearProblem(const TSectionAddress& address, const TClearOutcome& outcome) {
  if (outcome.ClearResult < 0)
    return TTransferText::tr("Section %1 was not erased: the phone answered %2")
        .arg(address.Text(), GBPErrorMessage(outcome.ClearResult));
  if (!outcome.Refresh.Ok())
    return outcome.Refresh.Error;
  if (outcome.Refresh.Size < 0)
    return TTransferText::tr("Section %1: the phone did not confirm the erase (size answer %2)")
        .arg(address.Text())
        .arg(outcome.Refresh.Size);
  return TTransferText::tr("Section %1 still holds %n bytes after clearing", nullptr,
                           outcome.Refresh.Size)
      .arg(address.Text());
}
