// GBK texts of the program on their way to the Unicode interfaces.
#pragma once

#include <cstddef>

namespace tamrel::app {

// Converts the zero-terminated GBK `text` (code page 936) into `out`. Every
// GBK byte gives at most one UTF-16 unit, so `out` needs room for the text's
// length plus one. Needs no heap, so it serves the report of exhausted memory.
void GbkToWide(const char* text, wchar_t* out, std::size_t capacity);

// The length of the longest start of `text` of at most `limit` bytes that
// ends on a character boundary.
std::size_t GbkPrefixLength(const char* text, std::size_t limit);

}  // namespace tamrel::app
