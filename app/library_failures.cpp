// Where the standard library's containers would throw, the shipped program
// ends in its own report instead. The program is built without exceptions,
// but the containers' out-of-line growth paths still call these hooks, and
// libstdc++'s own definitions throw, which would bring the whole exception
// runtime (unwinder, demangler, threads) into tamrel.exe for a throw that
// nothing could catch. libstdc++ declares them for exactly this use
// (bits/functexcept.h, "support for -fno-exceptions"); defining them here
// keeps its definitions out of the link.
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <string_view>  // declares the hooks, so that these definitions match

#include "app/text_heap.h"

namespace {

// More than any request can be: the report shows it as -1.
constexpr std::size_t kBeyondAnySize = std::numeric_limits<std::size_t>::max();

}  // namespace

namespace std {

// A container asked for more storage than there is, or than can be asked
// for: the allocation report, as for any other request that cannot be met.
void __throw_bad_alloc() { tamrel::app::ReportAllocationFailure(kBeyondAnySize); }
void __throw_bad_array_new_length() { tamrel::app::ReportAllocationFailure(kBeyondAnySize); }
void __throw_length_error(const char* /*what*/) {
  tamrel::app::ReportAllocationFailure(kBeyondAnySize);
}

// A string made from a null pointer: a fault in the program itself, which
// ends the way a -fno-exceptions build ends every other such fault.
void __throw_logic_error(const char* /*what*/) { std::abort(); }

}  // namespace std
