// Reading a number from the text of an edit box. Never fails: no number at
// the front reads as +0.0, a value too large as an infinity, and whatever
// follows the number is ignored.
#pragma once

namespace tamrel {

// Full-width forms of the GBK code page folded to ASCII; a new text.
char* FoldFullWidth(const char* text);

namespace detail {
// The same into `folded`, which has room for strlen(text) + 1 bytes.
void FoldFullWidthInto(const char* text, char* folded);
}  // namespace detail

// The longest decimal number at the front of `text` (after white space),
// rounded to the nearest double with ties toward zero. No folding.
double ParseDecimal(const char* text);

// ParseDecimal of FoldFullWidth of `text`.
double TextToNumber(const char* text);

}  // namespace tamrel
