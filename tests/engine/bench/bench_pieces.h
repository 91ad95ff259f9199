// Where the time of a start-up and of a pass goes: the benchmark's
// "--pieces" breakdown, timing the calls the engine makes one kind at a
// time over the task files of the folder.
#pragma once

#include <string>

namespace benchpieces {

// Prints microseconds per task for each piece, over at most `limit` files.
void PrintStartupPieces(const std::wstring& folder, int limit);
void PrintPassPieces(const std::wstring& folder, int limit);

}  // namespace benchpieces
