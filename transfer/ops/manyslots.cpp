#include "transfer/ops/manyslots.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <functional>

#include "common/errors.h"
#include "common/fileio.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "link/phoneport.h"
#include "transfer/limits.h"
#include "transfer/manyslots.h"
#include "transfer/ops/keepingport.h"
#include "ufif/ufifheader.h"

namespace {

// The plan's answers to the questions an upload asks, so the conversion is asked once.
class TPlanInteraction final : public TInteraction {
 public:
  TPlanInteraction(const TUploadPlan& plan, TInteraction& face) : plan_(plan), face_(face) {}
  int AskUFIF21Conversion() override { return plan_.Convert ? mrYes : mrNo; }
  QString FirmwareText() override { return plan_.Firmware; }
  void ShowConversionReport(const QStringList& lines) override {
    face_.ShowConversionReport(lines);
  }
  quint32 AskIconCode() override { return face_.AskIconCode(); }

 private:
  const TUploadPlan& plan_;
  TInteraction& face_;
};

// One slot's work; the bytes it moved.
using TSlotStep = std::function<qint64(int, TSlotWork&)>;

// Runs work over the slots within the caller's link: progress before each, a cancel between
// two, and the slots after a cancel recorded as not reached.
void RunInLink(TReporter& reporter, const QList<TSlotWork>& jobs, const TSlotStep& work,
               TManyResult& result) {
  qint64 bytes = 0;
  for (int i = 0; i < jobs.size(); ++i) {
    TSlotWork slot = jobs[i];
    if (i > 0 && !result.Cancelled && reporter.CancelRequested())
      result.Cancelled = true;
    if (!result.Cancelled) {
      reporter.Progress(i + 1, int(jobs.size()), slot.Address, bytes);
      bytes += work(i, slot);
    }
    result.Slots << slot;
  }
}

TManyResult RunOverSlots(TPhonePort& port, TReporter& reporter, const QList<TSlotWork>& jobs,
                         const TSlotStep& work) {
  TManyResult result;
  const TLinkSession link(port);
  result.LinkOpened = link.IsOpen();
  if (result.LinkOpened)
    RunInLink(reporter, jobs, work, result);
  return result;
}

QList<TSlotWork> WorkFor(const QList<TSectionAddress>& addresses) {
  QList<TSlotWork> jobs;
  for (const TSectionAddress& address : addresses)
    jobs.append({address, {}, TSlotWork::NotReached, {}});
  return jobs;
}

// Whether the file may be written, asking about one that exists.
class TClashPolicy {
 public:
  explicit TClashPolicy(TInteraction& interaction) : interaction_(interaction) {}
  bool MayWrite(const QString& path) {
    if (!QFileInfo::exists(path) || all_ == TInteraction::ReplaceAllFiles)
      return true;
    if (all_ == TInteraction::SkipAllFiles)
      return false;
    const TInteraction::TFileClash answer = interaction_.AskFileClash(path);
    if (answer == TInteraction::ReplaceAllFiles || answer == TInteraction::SkipAllFiles)
      all_ = answer;
    return answer == TInteraction::ReplaceFile || answer == TInteraction::ReplaceAllFiles;
  }

 private:
  TInteraction& interaction_;
  TInteraction::TFileClash all_ = TInteraction::ReplaceFile;  // until "all" is answered
};

}  // namespace

int TManyResult::Count(TSlotWork::TState state) const {
  return int(std::count_if(Slots.begin(), Slots.end(),
                           [&](const TSlotWork& slot) { return slot.State == state; }));
}

QStringList TManyResult::Summary() const {
  QStringList lines{ManySummary(Count(TSlotWork::Done), int(Slots.size()), Count(TSlotWork::Failed),
                                Count(TSlotWork::NotReached), Count(TSlotWork::Skipped))};
  for (const TSlotWork& slot : Slots) {
    const QString what =
        slot.File.isEmpty()
            ? slot.Address.Text()
            : QStringLiteral("%1 (%2)").arg(slot.Address.Text(), QFileInfo(slot.File).fileName());
    if (slot.State == TSlotWork::Failed)
      lines << QStringLiteral("%1: %2").arg(what, slot.Problem);
    else if (slot.State == TSlotWork::NotReached)
      lines << TTransferText::tr("%1: not reached").arg(what);
  }
  return lines;
}

TManyResult DownloadSlots(TPhonePort& port, const QList<TSectionAddress>& addresses,
                          const QString& dir, TInteraction& interaction, TReporter& reporter) {
  TMadeFolders made(dir);
  TClashPolicy clashes(interaction);
  TManyResult result = RunOverSlots(port, reporter, WorkFor(addresses), [&](int, TSlotWork& slot) {
    const TSectionRead read = ReadWholeSection(port, slot.Address, UploadBufferSize);
    if (read.HoldsNothing()) {
      slot.State = TSlotWork::Skipped;
      slot.Problem = TTransferText::tr("empty");
      return qint64(0);
    }
    if (read.State != TSectionRead::Held) {
      slot.State = TSlotWork::Failed;
      slot.Problem = WholeReadProblem(read, slot.Address);
      return qint64(0);
    }
    slot.File = QDir(dir).filePath(SlotFileName(slot.Address, read.Bytes));
    if (!clashes.MayWrite(slot.File)) {
      slot.State = TSlotWork::Skipped;
      slot.Problem = TTransferText::tr("the file exists");
      return qint64(0);
    }
    try {
      SaveFile(slot.File, read.Bytes);
      slot.State = TSlotWork::Done;
    } catch (const Exception& error) {
      slot.State = TSlotWork::Failed;
      slot.Problem = error.Reason().isEmpty()
                         ? error.Message()
                         : error.Message() + QStringLiteral(": ") + error.Reason();
    }
    return qint64(read.Bytes.size());
  });
  // Work that failed takes the folders it made away again, as long as nothing went in.
  if (result.LinkOpened && !result.Cancelled && result.Count(TSlotWork::Failed) == 0 &&
      result.Count(TSlotWork::NotReached) == 0)
    made.Keep();
  return result;
}

TManyResult ClearSlots(TPhonePort& port, TCatalogue& catalogue,
                       const QList<TSectionAddress>& addresses, const THistoryConfig& history,
                       TReporter& reporter) {
  TKeepingPort keeping(port, history, QT_TRANSLATE_NOOP("Transfer", "Clear"), reporter);
  TManyResult result =
      RunOverSlots(keeping, reporter, WorkFor(addresses), [&](int, TSlotWork& slot) {
        const TClearOutcome outcome = ClearInLink(keeping, slot.Address);
        RefreshSection(keeping, catalogue, slot.Address, reporter);
        slot.State = outcome.Cleared() ? TSlotWork::Done : TSlotWork::Failed;
        if (!outcome.Cleared())
          slot.Problem = ClearProblem(slot.Address, outcome);
        return qint64(0);
      });
  result.NotKept = keeping.NotKept();
  return result;
}

bool TUploadPlan::HasUFIF20() const {
  return std::any_of(Items.begin(), Items.end(),
                     [](const TPlannedUpload& item) { return item.UFIF20; });
}

TUploadPlan PlanUploads(const QList<TPlannedUpload>& files, const TCatalogue& catalogue,
                        int startRow, QStringList& overflow) {
  TUploadPlan plan;
  const QList<int> rows =
      FreeRowsFrom(catalogue.Slots, catalogue.Ranges, startRow, int(files.size()));
  for (int i = 0; i < files.size(); ++i) {
    if (i >= rows.size()) {
      overflow << files[i].FileName;
      continue;
    }
    TPlannedUpload item = files[i];
    item.Target = SlotAddress(rows[i], catalogue.Ranges);
    plan.Items << item;
  }
  CheckPlan(plan, catalogue);
  return plan;
}

void CheckPlan(TUploadPlan& plan, const TCatalogue& catalogue) {
  for (TPlannedUpload& item : plan.Items) {
    const int row = SlotRow(item.Target.Section, item.Target.SubSection, catalogue.Ranges);
    item.Holds = row > 0 ? catalogue.Slots.at(row) : TSlotInfo();
    item.UFIF20 = IsUFIF20(item.File.Data);
    QByteArray image = item.File.Data;
    if (!item.Compressed)
      image.truncate(TrimTrailingNops(image, int(image.size())));
    // The size before packing: the run checks the container itself.
    item.Size = image.size();
    item.TooBig = item.File.TooLong || item.Size > SectionLimit(item.Target, catalogue.Ranges);
  }
}

TManyResult RunUploadPlan(TPhonePort& port, TCatalogue& catalogue, const TUploadPlan& plan,
                          TInteraction& interaction, TReporter& reporter) {
  TPlanInteraction answers(plan, interaction);
  // Every image is made before the link opens, so the order can weigh their sizes.
  QList<QByteArray> images;
  QList<TSlotWork> jobs;
  for (const TPlannedUpload& item : plan.Items) {
    TSlotWork slot{item.Target, item.FileName, TSlotWork::NotReached, {}};
    const TUploadRequest request{item.Target, item.File, item.Compressed, plan.Check, plan.History};
    const auto [stage, image] = PrepareUploadImage(request, answers, reporter);
    if (stage == TUploadResult::NoContainer) {
      slot.State = TSlotWork::Failed;
      slot.Problem = TTransferText::tr("no LZO container could be built");
    } else if (item.File.TooLong || image.size() > SectionLimit(item.Target, catalogue.Ranges)) {
      slot.State = TSlotWork::Failed;
      slot.Problem =
          TooBigForSlotText(item.File.TooLong ? qint64(UploadBufferSize) + 1 : image.size(),
                            SectionLimit(item.Target, catalogue.Ranges), false);
    }
    images << image;
    jobs << slot;
  }
  TKeepingPort keeping(port, plan.History, QT_TRANSLATE_NOOP("Transfer", "Upload"), reporter);
  QList<int> order;
  const auto work = [&](int i, TSlotWork& slot) {
    const int item = order[i];
    if (slot.State == TSlotWork::Failed)
      return qint64(0);
    const TWriteOutcome outcome =
        WriteAndJudgeInLink(keeping, catalogue, slot.Address, images[item], plan.Check, reporter);
    slot.State = outcome.Whole ? TSlotWork::Done : TSlotWork::Failed;
    slot.Problem = outcome.Problem;
    return qint64(images[item].size());
  };
  // The order needs the sizes the phone holds now, so it is found within the link.
  TManyResult result;
  {
    const TLinkSession link(keeping);
    result.LinkOpened = link.IsOpen();
    if (!result.LinkOpened)
      return result;
    QList<TRoomChange> changes;
    for (int i = 0; i < jobs.size(); ++i) {
      const bool writes = jobs[i].State != TSlotWork::Failed;
      const qint64 now = qMax(0, keeping.GetSize(jobs[i].Address));
      changes.append({now, writes ? qint64(images[i].size()) : now});
    }
    order = RoomOrder(changes);
    QList<TSlotWork> ordered;
    for (const int i : order)
      ordered << jobs[i];
    RunInLink(reporter, ordered, work, result);
  }
  // The history records what the change left as the link closes.
  result.NotKept = keeping.NotKept();
  return result;
}
