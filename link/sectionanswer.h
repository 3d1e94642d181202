#pragma once
// One rule for what the phone's answers about a section say, for every caller that reads,
// keeps, backs up, restores or probes one: its size and, when it holds something, what a
// read of it brought. A size of -5, a size query that failed and a read that brought another
// count than the size are doubtful: nothing is known of what the section holds, so it may
// hold data, and a read cut short is what a pulled cable gives.

#include <optional>

struct TSectionAnswer {
  enum TKind {
    Holds,       // Size bytes, all of them brought by the read when there was one
    Empty,       // size 0 or "no such section": certainly nothing there
    NotTold,     // size -5: the phone did not tell, and the section may hold data
    SizeFailed,  // the size query failed
    ReadShort,   // the read failed, or brought another count than the size
  };
  TKind Kind = SizeFailed;
  int Size = 0;   // the size answer
  int Count = 0;  // what the read brought, when there was one
  bool Doubtful() const { return Kind == NotTold || Kind == SizeFailed || Kind == ReadShort; }
};

// Judges a size answer, and with readCount the read of a section that told a size above 0.
TSectionAnswer JudgeAnswer(int size, std::optional<int> readCount);
