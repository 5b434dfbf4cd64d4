// Once the DLL search is restricted, a DLL in the current directory (the
// program's own folder, after start-up) is no longer found by name. This
// changes the whole test process, so it has a test program of its own.
#include "app/dll_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "app/tests/program_process.h"

namespace tamrel::app::testing {
namespace {

constexpr wchar_t kProbe[] = L"tamrel-test-probe.dll";

TEST(DllSearchTest, ADllInTheCurrentDirectoryIsNotLoadedOnceRestricted) {
  ASSERT_TRUE(SetCurrentDirectoryW(TestProgramFolder().c_str()));
  // Found by name where it lies: the folder of the test program, which is
  // the current directory too.
  const HMODULE before = LoadLibraryW(kProbe);
  ASSERT_NE(before, nullptr) << "the probe DLL is missing: the test would prove nothing";
  FreeLibrary(before);
  ASSERT_EQ(GetModuleHandleW(kProbe), nullptr);

  RestrictDllSearch();
  EXPECT_EQ(LoadLibraryW(kProbe), nullptr);
  // A system DLL is still found.
  const HMODULE system = LoadLibraryW(L"version.dll");
  EXPECT_NE(system, nullptr);
  if (system != nullptr) FreeLibrary(system);
}

}  // namespace
}  // namespace tamrel::app::testing
