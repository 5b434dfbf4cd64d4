// Where the process looks for the DLLs that it, or a system DLL on its
// behalf, loads while it runs: the system folder only, never the current
// directory, which the frame makes the program's own folder at start-up.
#pragma once

namespace tamrel::app {

// Takes the current directory out of the DLL search and, where the system
// offers it (Windows 8, or 7 with its update), restricts the default search
// to the system folder. The DLLs of the import table are found before the
// program runs; this covers every later load.
void RestrictDllSearch();

}  // namespace tamrel::app
