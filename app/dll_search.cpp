#include "app/dll_search.h"

#include <windows.h>

namespace tamrel::app {
namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32; older headers lack it.
constexpr DWORD kSearchSystemFolder = 0x00000800;

using SetDefaultDllDirectoriesRoutine = BOOL(WINAPI*)(DWORD flags);

}  // namespace

void RestrictDllSearch() {
  SetDllDirectoryW(L"");
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) {
    return;
  }
  // Looked up rather than imported: a system without it still starts.
  const FARPROC found = GetProcAddress(kernel, "SetDefaultDllDirectories");
  if (found != nullptr) {
    const auto set_default =
        reinterpret_cast<SetDefaultDllDirectoriesRoutine>(reinterpret_cast<void (*)()>(found));
    set_default(kSearchSystemFolder);
  }
}

}  // namespace tamrel::app
