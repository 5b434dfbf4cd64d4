// The stack canary of the shipped program. -fstack-protector-strong checks
// each protected frame against __stack_chk_guard when it returns. MinGW's
// libssp fills the guard with CryptGenRandom, which loads the RSA provider,
// crypt32 and bcrypt at every start: some 10 ms, near a tenth of the
// program's start-up under Wine. RtlGenRandom gives the system's randomness
// without a provider. Defining both symbols here keeps libssp out.
#include <windows.h>
// ntsecapi.h needs the types of windows.h.
#include <ntsecapi.h>

#include <cstdint>

extern "C" {

// The compiler's checks read it under this name; libssp declares it so too.
std::uintptr_t __stack_chk_guard = 0;

// A frame found its canary overwritten: the stack is no longer to be
// trusted, so nothing more of the program runs, not even the error report.
// The status is the one Windows gives a failed stack cookie check.
[[noreturn]] void __stack_chk_fail() {
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
  __builtin_trap();
}

}  // extern "C"

namespace {

// Before main, like libssp's own setup: the frames live at that moment are
// the C runtime's start-up, which is not protected, so none of them can
// return to find the guard changed under it.
[[gnu::constructor, gnu::no_stack_protector]] void SetUpStackGuard() {
  if (!RtlGenRandom(&__stack_chk_guard, sizeof(__stack_chk_guard)) || __stack_chk_guard == 0) {
    // No randomness: the terminator canary, which string copies cannot
    // write past (a zero, a line feed and 0xFF in it).
    __stack_chk_guard = 0xFF0A0000u;
  }
}

}  // namespace
