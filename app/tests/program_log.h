// The log that tamrel-test-alloc-fault.exe writes about its own run: every
// request for text storage, every run of the program's handler with the
// result it left, the at-exit routine.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tamrel::app::testing {

struct ProgramLog {
  std::vector<std::size_t> requests;  // sizes, in order, the refused one included
  std::optional<std::size_t> refused;
  int handler_runs = 0;
  int handler_runs_after_refusal = 0;
  std::vector<std::string> results;  // the result box after each handler run, when logged
  bool at_exit = false;
};

// A temporary file for the log, removed with the object.
class LogFile {
 public:
  LogFile();
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  const std::wstring& path() const { return path_; }
  ProgramLog Read() const;

 private:
  std::wstring path_;
};

}  // namespace tamrel::app::testing
