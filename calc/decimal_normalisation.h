// What an edit box in the decimal input mode makes of its text when it loses
// the focus: the number at its front spelled as the result box would spell
// it, with zero shown as an empty box.
#pragma once

namespace tamrel {

// A new text, or nullptr (the absent text) when the box is to be empty.
char* NormaliseDecimalText(const char* text);

// The characters that may be typed into such a box: control codes, "-", "."
// and the digits.
constexpr bool IsDecimalInputCharacter(unsigned code) {
  return code < 32 || code == '-' || code == '.' || (code >= '0' && code <= '9');
}

}  // namespace tamrel
