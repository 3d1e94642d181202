#include "details/ops/readdetails.h"

#include "common/operationio.h"
#include "common/texts.h"
#include "link/phoneport.h"
#include "transfer/limits.h"
#include "transfer/ops/sectionio.h"

TDetailsRead ReadSlotDetails(TPhonePort& port, const TSectionAddress& address,
                             const TSlotInfo& before, TReporter& reporter) {
  reporter.Status(TDetailsText::tr("Reading section %1...").arg(address.Text()));
  TDetailsRead result;
  TSectionRead read;
  {
    const TLinkSession link(port);
    if (!link.IsOpen())
      return result;
    read = ReadWholeSection(port, address, UploadBufferSize);
  }
  if (read.State != TSectionRead::Held) {
    result.State = TDetailsRead::ReadFailed;
    result.Problem = WholeReadProblem(read, address);
    reporter.Error(result.Problem);
    return result;
  }
  reporter.Status(TDetailsText::tr("Read!"));
  result.State = TDetailsRead::Read;
  result.Details = DescribeSection(address, read.Bytes, before);
  return result;
}
