#include "calc/decimal_normalisation.h"

#include <cstring>

#include "calc/number_to_text.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"

namespace tamrel {

char* NormaliseDecimalText(const char* text) {
  char number[kNumberTextCapacity];
  const std::size_t length = FormatNumber(ParseDecimal(text), number);
  // A zero, of either sign, shows as an empty box.
  if (std::strcmp(number, "0") == 0) {
    return nullptr;
  }
  return CopyText(number, length);
}

}  // namespace tamrel
