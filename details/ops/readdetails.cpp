#include "details/ops/readdetails.h"

#include "common/operationio.h"
#include "common/texts.h"
#include "link/phoneport.h"
#include "transfer/limits.h"
#include "transfer/ops/sectionio.h"

std::optional<TSlotDetails> ReadSlotDetails(TPhonePort& port, const TSectionAddress& address,
                                            const TSlotInfo& before, TReporter& reporter) {
  reporter.Status(TDetailsText::tr("Reading section %1...").arg(address.Text()));
  TSectionRead read;
  {
    const TLinkSession link(port);
    if (!link.IsOpen())
      return std::nullopt;
    read = ReadWholeSection(port, address, UploadBufferSize);
  }
  if (read.State != TSectionRead::Held) {
    reporter.Error(WholeReadProblem(read, address));
    return std::nullopt;
  }
  reporter.Status(TDetailsText::tr("Read!"));
  return DescribeSection(address, read.Bytes, before);
}
