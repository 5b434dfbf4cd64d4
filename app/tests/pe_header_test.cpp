// The hardening that the program file carries in its PE header: a 32-bit
// GUI image that the loader may place anywhere (ASLR, with its relocations
// kept) and whose data is never executable (DEP). And its footprint: one
// small file that needs no DLL beyond the system's.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
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

class PeHeaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = ReadProgramFile(TestProgramFolder() + L"\\tamrel.exe");
    ASSERT_GT(file_.size(), sizeof(IMAGE_DOS_HEADER));
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, file_.data(), sizeof(dos));
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    headers_at_ = static_cast<std::size_t>(dos.e_lfanew);
    ASSERT_LE(headers_at_ + sizeof(IMAGE_NT_HEADERS32), file_.size());
    std::memcpy(&nt_, file_.data() + headers_at_, sizeof(nt_));
    ASSERT_EQ(nt_.Signature, IMAGE_NT_SIGNATURE);
  }

  // Where in the file the image's address `rva` lies, if any section holds it.
  std::optional<std::size_t> FileOffsetOf(DWORD rva) const {
    const std::size_t sections_at = headers_at_ + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                                    nt_.FileHeader.SizeOfOptionalHeader;
    for (WORD i = 0; i < nt_.FileHeader.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER section;
      const std::size_t at = sections_at + i * sizeof(section);
      if (at + sizeof(section) > file_.size()) return std::nullopt;
      std::memcpy(&section, file_.data() + at, sizeof(section));
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
        return section.PointerToRawData + (rva - section.VirtualAddress);
      }
    }
    return std::nullopt;
  }

  // The names of the DLLs the image imports from, in lower case.
  std::vector<std::string> ImportedDlls() const {
    std::vector<std::string> names;
    const IMAGE_DATA_DIRECTORY& directory =
        nt_.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::optional<std::size_t> at = FileOffsetOf(directory.VirtualAddress);
    for (; at && *at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= file_.size();
         *at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      IMAGE_IMPORT_DESCRIPTOR entry;
      std::memcpy(&entry, file_.data() + *at, sizeof(entry));
      if (entry.Name == 0) break;
      const std::optional<std::size_t> name_at = FileOffsetOf(entry.Name);
      if (!name_at) break;
      std::string name;
      for (std::size_t i = *name_at; i < file_.size() && file_[i] != 0; ++i) {
        name += static_cast<char>(std::tolower(file_[i]));
      }
      names.push_back(name);
    }
    return names;
  }

  std::vector<unsigned char> file_;
  std::size_t headers_at_ = 0;
  IMAGE_NT_HEADERS32 nt_{};
};

TEST_F(PeHeaderTest, TheProgramFileAsksForAslrAndDep) {
  const IMAGE_NT_HEADERS32& nt = nt_;

  EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_NE(nt.OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, 0);
  EXPECT_NE(nt.OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT, 0);
  // Without its relocations the image could only load at its preferred base.
  EXPECT_EQ(nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED, 0);
  EXPECT_GT(nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
}

// One file to copy and run: the C and C++ runtimes are linked in, and the
// shipped code leaves the runtime's exception machinery out, which would
// otherwise double the file.
TEST_F(PeHeaderTest, TheProgramFileIsSmallAndNeedsOnlySystemDlls) {
  constexpr std::size_t kSizeBudget = 256 * 1024;
  EXPECT_LE(file_.size(), kSizeBudget);

  const std::vector<std::string> dlls = ImportedDlls();
  EXPECT_TRUE(std::find(dlls.begin(), dlls.end(), "kernel32.dll") != dlls.end());
  const std::vector<std::string> system_dlls = {"advapi32.dll", "comctl32.dll", "gdi32.dll",
                                                "kernel32.dll", "msvcrt.dll",   "user32.dll"};
  for (const std::string& dll : dlls) {
    EXPECT_TRUE(std::find(system_dlls.begin(), system_dlls.end(), dll) != system_dlls.end())
        << "tamrel.exe needs " << dll;
  }
}

}  // namespace
}  // namespace tamrel::app::testing
