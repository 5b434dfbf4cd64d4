#include "app/tests/program_log.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace tamrel::app::testing {

LogFile::LogFile() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  wchar_t path[MAX_PATH];
  GetTempFileNameW(folder, L"tam", 0, path);
  path_ = path;
}

LogFile::~LogFile() { DeleteFileW(path_.c_str()); }

ProgramLog LogFile::Read() const {
  ProgramLog log;
  FILE* file = _wfopen(path_.c_str(), L"rb");
  if (file == nullptr) {
    return log;
  }
  constexpr char kResult[] = "result ";
  char line[256];
  unsigned long size = 0;
  while (std::fgets(line, sizeof(line), file) != nullptr) {
    const std::string text = line;
    if (std::sscanf(line, "allocate %lu", &size) == 1) {
      log.requests.push_back(size);
    } else if (std::sscanf(line, "refuse %lu", &size) == 1) {
      log.requests.push_back(size);
      log.refused = size;
    } else if (text == "handler\n") {
      ++log.handler_runs;
      log.handler_runs_after_refusal += log.refused.has_value() ? 1 : 0;
    } else if (text.starts_with(kResult) && text.ends_with("\n")) {
      log.results.push_back(text.substr(sizeof(kResult) - 1, text.size() - sizeof(kResult)));
    } else if (text == "at-exit\n") {
      log.at_exit = true;
    }
  }
  std::fclose(file);
  return log;
}

}  // namespace tamrel::app::testing
