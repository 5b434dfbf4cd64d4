// Polling instead of fixed sleeps: the platform acts asynchronously, and a
// fixed pause is either too short on a slow machine or wasted on a fast one.
#pragma once

#include <windows.h>

namespace tamrel::app::testing {

inline constexpr DWORD kDefaultTimeoutMs = 10000;

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout_ms = kDefaultTimeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) {
      return true;
    }
    if (GetTickCount64() >= deadline) {
      return false;
    }
    Sleep(10);
  }
}

}  // namespace tamrel::app::testing
