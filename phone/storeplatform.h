#pragma once
// What the store asks of the operating system, one source file per system.

#include <cstddef>
#include <filesystem>

#include "phone/store.h"

namespace gbp {

// Pieces small enough for a slow link to show progress, and for a write to be interrupted.
constexpr size_t kPieceBytes = 256;

unsigned long ProcessId();

// Creates the file (failing when it exists), writes the bytes in pieces, reporting each to
// pace, and flushes them to the disk before closing.
bool WriteNewFile(const std::filesystem::path& file, const char* data, size_t length,
                  const TPace& pace);

// Renames from over to, replacing it in one step, and makes the rename durable.
bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace gbp
