// The hardening that the program file carries in its PE header: a 32-bit
// GUI image that the loader may place anywhere (ASLR, with its relocations
// kept) and whose data is never executable (DEP).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "app/tests/program_process.h"

namespace tamrel::app::testing {
namespace {

std::vector<unsigned char> ReadProgramFile(const std::wstring& path) {
  std::vector<unsigned char> bytes;
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return bytes;
  unsigned char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  std::fclose(file);
  return bytes;
}

TEST(PeHeaderTest, TheProgramFileAsksForAslrAndDep) {
  const std::vector<unsigned char> file = ReadProgramFile(TestProgramFolder() + L"\\tamrel.exe");
  ASSERT_GT(file.size(), sizeof(IMAGE_DOS_HEADER));
  IMAGE_DOS_HEADER dos;
  std::memcpy(&dos, file.data(), sizeof(dos));
  ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
  ASSERT_LE(static_cast<std::size_t>(dos.e_lfanew) + sizeof(IMAGE_NT_HEADERS32), file.size());
  IMAGE_NT_HEADERS32 nt;
  std::memcpy(&nt, file.data() + dos.e_lfanew, sizeof(nt));
  ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);

  EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_NE(nt.OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, 0);
  EXPECT_NE(nt.OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT, 0);
  // Without its relocations the image could only load at its preferred base.
  EXPECT_EQ(nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED, 0);
  EXPECT_GT(nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
}

}  // namespace
}  // namespace tamrel::app::testing
