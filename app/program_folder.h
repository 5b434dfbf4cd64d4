// Making the program's own folder the current directory, whatever folder the
// program was started from.
#pragma once

#include <string>

namespace tamrel::app {

// The folder part of a program path: everything before the last backslash,
// keeping the backslash of a drive root ("C:\x.exe" gives "C:\", not "C:",
// which would mean the drive's current directory). Empty when the path has
// no backslash.
std::wstring ProgramFolderOf(const std::wstring& program_path);

// Sets the current directory to the folder of the running program file; a
// path without a backslash leaves it as it is.
void EnterProgramFolder();

}  // namespace tamrel::app
