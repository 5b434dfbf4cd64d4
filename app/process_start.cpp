#include "app/process_start.h"

#include <windows.h>

#include "app/dll_search.h"

namespace tamrel::app {

void StartProcess() {
  RestrictDllSearch();
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

}  // namespace tamrel::app
