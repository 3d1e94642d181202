#include "link/sectionanswer.h"

#include "link/gbp.h"

TSectionAnswer JudgeAnswer(int size, std::optional<int> readCount) {
  TSectionAnswer answer;
  answer.Size = size;
  answer.Count = readCount.value_or(0);
  if (size == 0 || size == GBPSizeNoSection)
    answer.Kind = TSectionAnswer::Empty;
  else if (size == GBPSizeUnknown)
    answer.Kind = TSectionAnswer::NotTold;
  else if (size < 0)
    answer.Kind = TSectionAnswer::SizeFailed;
  else
    answer.Kind =
        readCount && *readCount != size ? TSectionAnswer::ReadShort : TSectionAnswer::Holds;
  return answer;
}
