#include "app/program_folder.h"

#include <windows.h>

namespace tamrel::app {
namespace {

std::wstring ProgramPath() {
  // Paths may exceed MAX_PATH; grow until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::wstring ProgramFolderOf(const std::wstring& program_path) {
  const std::size_t last_backslash = program_path.rfind(L'\\');
  if (last_backslash == std::wstring::npos) {
    return {};
  }
  std::wstring folder = program_path.substr(0, last_backslash);
  if (folder.empty() || folder.back() == L':') {
    folder += L'\\';
  }
  return folder;
}

void EnterProgramFolder() {
  const std::wstring folder = ProgramFolderOf(ProgramPath());
  if (!folder.empty()) {
    SetCurrentDirectoryW(folder.c_str());
  }
}

}  // namespace tamrel::app
