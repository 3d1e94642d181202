#pragma once
// The two upload commands: a file written into a section as it is or inside an LZO
// container, with the UFIF 2.1 conversion offered on the way.

#include <QByteArray>
#include <optional>

#include "transfer/history.h"
#include "transfer/ops/sectionio.h"
#include "transfer/uploadfile.h"

class TInteraction;

// The most bytes an upload may write to the section: its slot's limit, or a big slot's
// for a section outside the slots.
int SectionLimit(const TSectionAddress& address, const TSlotRanges& ranges);

struct TUploadRequest {
  TSectionAddress Target;
  TUploadFile File;
  bool Compressed = false;
  TWriteCheck Check = TWriteCheck::BySize;
  THistoryConfig History;  // where what the upload replaces is kept
};

struct TUploadResult {
  enum TStage {
    GaveUp,       // the user cancelled the conversion prompt
    NoContainer,  // no container could be built
    TooBig,       // refused: "Can't uplod - file too big!" was told
    Sent,         // written when the link opened; Write judges it
  };
  TStage Stage = GaveUp;
  TWriteOutcome Write;
  QStringList NotKept;  // what the history could not keep of the change (TKeepingPort)
  bool Written() const { return Stage == Sent && Write.Whole; }
};

// The bytes an upload writes: filler trimmed (plain uploads only), a UFIF 2.0 program
// converted when the user says so, then the container when compressed. Sent when Image
// holds them.
struct TUploadImage {
  TUploadResult::TStage Stage = TUploadResult::GaveUp;
  QByteArray Image;
};
TUploadImage PrepareUploadImage(const TUploadRequest& request, TInteraction& interaction,
                                TReporter& reporter);

// Prepares, checks the size against the slot, writes, judges and reports the outcome.
TUploadResult Upload(TPhonePort& port, TCatalogue& catalogue, const TUploadRequest& request,
                     TInteraction& interaction, TReporter& reporter);
