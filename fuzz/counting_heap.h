// A heap for the text store that counts the blocks it has handed out and
// not had back, so that a target can see that a call leaves none behind.
#pragma once

#include <cstddef>

namespace tamrel::fuzz {

// Installs the counting heap in the text store (once; later calls do nothing).
void UseCountingHeap();
std::size_t LiveBlocks();

}  // namespace tamrel::fuzz
