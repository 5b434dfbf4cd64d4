#include <fcntl.h>
#include <io.h>
#include <windows.h>  // with shellapi.h for CommandLineToArgvW

#include <cstdio>
#include <memory>

#include "cli/gbk_conversion.h"
#include "cli/process_environment.h"

namespace tamrel::cli {
namespace {

struct LocalMemoryRelease {
  void operator()(LPWSTR* block) const { LocalFree(block); }
};

}  // namespace

void PrepareStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> ReadArguments(int, char**) {
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalMemoryRelease> wide(
      CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> arguments;
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) {
    const LPWSTR argument = wide.get()[i];
    arguments.push_back(Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(argument), wcslen(argument))));
  }
  return arguments;
}

bool ArgumentsArriveAsUnicode() { return true; }

}  // namespace tamrel::cli
