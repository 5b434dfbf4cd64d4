// Reads the executable's resources back from this test program, which links
// the same tamrel.rc as tamrel.exe: through the version information calls,
// the resource lookup, the icon loader, and the common controls that the
// manifest selects.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

// For failure messages: the names looked up are plain ASCII.
std::string Ascii(std::wstring_view text) { return std::string(text.begin(), text.end()); }

// The version information of this program file.
class VersionInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &unused);
    ASSERT_GT(size, 0u) << "no version information, error " << GetLastError();
    block_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block_.data()));
  }

  // The value under a VerQueryValue path; empty when there is none.
  std::span<const std::byte> Query(const wchar_t* sub_block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block_.data(), sub_block, &value, &length) || value == nullptr) return {};
    return {static_cast<const std::byte*>(value), length};
  }

  std::optional<std::wstring> QueryString(const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring sub_block = L"\\StringFileInfo\\080404B0\\" + name;
    if (!VerQueryValueW(block_.data(), sub_block.c_str(), &value, &length) || value == nullptr) {
      return std::nullopt;
    }
    // The length counts the characters with the terminating zero.
    std::wstring text(static_cast<const wchar_t*>(value), length);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }

  std::vector<std::byte> block_;
};

TEST_F(VersionInfoTest, FixedPartIsApplicationVersion1000For32BitWindows) {
  const auto fixed_bytes = Query(L"\\");
  ASSERT_EQ(fixed_bytes.size(), sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, fixed_bytes.data(), sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed.dwFileVersionLS, 0u);
  EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed.dwProductVersionLS, 0u);
  EXPECT_EQ(fixed.dwFileFlags & fixed.dwFileFlagsMask, 0u) << "no flags";
  EXPECT_EQ(fixed.dwFileFlags, 0u);
  EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed.dwFileSubtype, 0u);
}

TEST_F(VersionInfoTest, TranslationIsChinesePrcInUnicode) {
  const auto translation = Query(L"\\VarFileInfo\\Translation");
  ASSERT_EQ(translation.size(), 4u) << "one language and code page pair";
  std::uint16_t pair[2];
  std::memcpy(pair, translation.data(), sizeof pair);
  EXPECT_EQ(pair[0], 0x0804);
  EXPECT_EQ(pair[1], 0x04B0);
}

TEST_F(VersionInfoTest, StringTableHoldsTheVersionAndDescriptiveTexts) {
  const std::map<std::wstring, std::wstring> expected{
      {L"FileVersion", L"1.0.0.0"},
      {L"ProductVersion", L"1.0.0.0"},
      {L"ProductName", L"Tamrel"},
      // "AMS1117 输出电压计算器": survives the resource compiler as UTF-16.
      {L"FileDescription", L"AMS1117 \x8F93\x51FA\x7535\x538B\x8BA1\x7B97\x5668"},
  };
  for (const auto& [name, text] : expected) {
    const auto found = QueryString(name);
    ASSERT_TRUE(found.has_value()) << Ascii(name);
    EXPECT_EQ(*found, text) << Ascii(name);
  }
  for (const wchar_t* name : {L"LegalCopyright", L"Comments"}) {
    const auto found = QueryString(name);
    ASSERT_TRUE(found.has_value()) << Ascii(name);
    EXPECT_FALSE(found->empty()) << Ascii(name);
  }
}

// A node of the version information block: length, value length, type
// (1 for text), zero-terminated key, value and child nodes, each part
// starting on a four-byte boundary of the block.
struct VersionNode {
  std::wstring key;
  std::vector<std::span<const std::byte>> children;
};

std::uint16_t Word(std::span<const std::byte> bytes, std::size_t at) {
  std::uint16_t word;
  std::memcpy(&word, bytes.data() + at, sizeof word);
  return word;
}

constexpr std::size_t Aligned(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

std::optional<VersionNode> ReadVersionNode(std::span<const std::byte> bytes) {
  if (bytes.size() < 6) return std::nullopt;
  const std::size_t length = Word(bytes, 0);
  if (length < 6 || length > bytes.size()) return std::nullopt;
  bytes = bytes.first(length);
  VersionNode node;
  std::size_t at = 6;
  for (; at + 2 <= length && Word(bytes, at) != 0; at += 2) node.key += wchar_t{Word(bytes, at)};
  const std::size_t value_bytes = Word(bytes, 4) == 1 ? 2 * Word(bytes, 2) : Word(bytes, 2);
  at = Aligned(Aligned(at + 2) + value_bytes);
  while (at + 2 <= length) {
    const std::size_t child_length = Word(bytes, at);
    if (child_length == 0 || at + child_length > length) return std::nullopt;
    node.children.push_back(bytes.subspan(at, child_length));
    at = Aligned(at + child_length);
  }
  return node;
}

std::vector<std::wstring> ChildKeys(const VersionNode& node) {
  std::vector<std::wstring> keys;
  for (const auto child : node.children) {
    const auto read = ReadVersionNode(child);
    keys.push_back(read ? read->key : L"(unreadable)");
  }
  return keys;
}

TEST_F(VersionInfoTest, HoldsOneStringTableAndTheTranslation) {
  const auto root = ReadVersionNode(block_);
  ASSERT_TRUE(root.has_value());
  EXPECT_EQ(root->key, L"VS_VERSION_INFO");
  const std::vector<std::wstring> sections{L"StringFileInfo", L"VarFileInfo"};
  ASSERT_EQ(ChildKeys(*root), sections);
  const auto string_file_info = ReadVersionNode(root->children[0]);
  ASSERT_TRUE(string_file_info.has_value());
  EXPECT_EQ(ChildKeys(*string_file_info), std::vector<std::wstring>{L"080404B0"});
}

// A resource of this program as bytes; empty when it is missing.
std::span<const std::byte> Resource(const wchar_t* name, const wchar_t* type) {
  HRSRC found = FindResourceW(nullptr, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (loaded == nullptr) return {};
  return {static_cast<const std::byte*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

using Attributes = std::map<std::string, std::string>;

// The attributes of every <assemblyIdentity .../> element, in document order.
// Enough XML for the manifest: attribute values in double quotes.
std::vector<Attributes> AssemblyIdentities(std::string_view xml) {
  std::vector<Attributes> identities;
  constexpr std::string_view kTag = "<assemblyIdentity";
  for (std::size_t at = xml.find(kTag); at != std::string_view::npos; at = xml.find(kTag, at + 1)) {
    const std::size_t end = xml.find('>', at);
    if (end == std::string_view::npos) break;
    std::string_view rest = xml.substr(at + kTag.size(), end - at - kTag.size());
    Attributes attributes;
    for (std::size_t equals = rest.find('='); equals != std::string_view::npos;
         equals = rest.find('=')) {
      std::string_view name = rest.substr(0, equals);
      name.remove_prefix(std::min(name.find_first_not_of(" \t\r\n"), name.size()));
      const std::size_t open = rest.find('"', equals);
      const std::size_t close = rest.find('"', open + 1);
      if (open == std::string_view::npos || close == std::string_view::npos) break;
      attributes[std::string(name)] = std::string(rest.substr(open + 1, close - open - 1));
      rest.remove_prefix(close + 1);
    }
    identities.push_back(std::move(attributes));
  }
  return identities;
}

TEST(ManifestTest, NamesThisProgramAndDependsOnCommonControls6) {
  const auto bytes = Resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_FALSE(bytes.empty()) << "no manifest with id 1";
  const std::string_view xml(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const auto identities = AssemblyIdentities(xml);
  ASSERT_EQ(identities.size(), 2u);

  const Attributes& own = identities[0];
  EXPECT_EQ(own.at("type"), "win32");
  EXPECT_EQ(own.at("processorArchitecture"), "x86");
  EXPECT_EQ(own.at("version"), "5.1.0.0");
  EXPECT_FALSE(own.at("name").empty());

  const Attributes expected_dependency{{"type", "win32"},
                                       {"name", "Microsoft.Windows.Common-Controls"},
                                       {"version", "6.0.0.0"},
                                       {"processorArchitecture", "x86"},
                                       {"publicKeyToken", "6595b64144ccf1df"},
                                       {"language", "*"}};
  EXPECT_EQ(identities[1], expected_dependency);
  // The second identity is the one that the program depends on.
  const std::size_t dependency = xml.find("<dependentAssembly");
  ASSERT_NE(dependency, std::string_view::npos);
  EXPECT_GT(xml.rfind("<assemblyIdentity"), dependency);
}

// The manifest makes the loader take comctl32.dll from the side-by-side
// assembly of version 6 instead of the system directory's version 5. (Wine's
// copy there reports 5.81 from DllGetVersion, so the place is what tells.)
TEST(ManifestTest, SystemLoadsCommonControls6ForThisProgram) {
  HMODULE comctl32 = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(comctl32, nullptr);
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(comctl32, path, MAX_PATH);
  FreeLibrary(comctl32);
  ASSERT_GT(length, 0u);
  std::wstring lower(path, length);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; });
  EXPECT_NE(lower.find(L"\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6."),
            std::wstring::npos)
      << Ascii(lower);
}

#pragma pack(push, 2)
struct GroupIconEntry {  // one image of an RT_GROUP_ICON directory
  BYTE width;
  BYTE height;
  BYTE colour_count;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes_in_resource;
  WORD icon_id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14);

TEST(IconGroupTest, HoldsSixteenColourImagesOf16And32And48Pixels) {
  const auto group = Resource(L"DEFAULT_ICON", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_GE(group.size(), 6u) << "no icon group DEFAULT_ICON";
  WORD header[3];
  std::memcpy(header, group.data(), sizeof header);
  EXPECT_EQ(header[0], 0) << "reserved";
  EXPECT_EQ(header[1], 1) << "icons, not cursors";
  ASSERT_EQ(header[2], 3) << "images";
  ASSERT_EQ(group.size(), 6u + 3 * sizeof(GroupIconEntry));

  constexpr int kSizes[] = {16, 32, 48};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(kSizes[i]);
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.width, kSizes[i]);
    EXPECT_EQ(entry.height, kSizes[i]);
    EXPECT_EQ(entry.colour_count, 16);
    EXPECT_EQ(entry.planes, 1);
    EXPECT_EQ(entry.bit_count, 4);

    // The image itself: a 4-bit bitmap whose height counts the mask too.
    const auto image = Resource(MAKEINTRESOURCEW(entry.icon_id), MAKEINTRESOURCEW(3));  // RT_ICON
    ASSERT_EQ(image.size(), entry.bytes_in_resource);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER bitmap;
    std::memcpy(&bitmap, image.data(), sizeof bitmap);
    EXPECT_EQ(bitmap.biWidth, kSizes[i]);
    EXPECT_EQ(bitmap.biHeight, 2 * kSizes[i]);
    EXPECT_EQ(bitmap.biBitCount, 4);
    EXPECT_EQ(bitmap.biCompression, static_cast<DWORD>(BI_RGB));
  }
}

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

TEST(IconGroupTest, LoadsAtTheWindowsSmallAndLargeIconSizes) {
  for (const int size : {16, 32}) {
    SCOPED_TRACE(size);
    const Icon icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, size, size, 0)));
    ASSERT_NE(icon, nullptr) << "error " << GetLastError();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    const Bitmap colour(info.hbmColor);
    const Bitmap mask(info.hbmMask);
    EXPECT_TRUE(info.fIcon);
    ASSERT_NE(colour, nullptr) << "a colour icon";
    BITMAP bitmap{};
    ASSERT_NE(GetObjectW(colour.get(), sizeof bitmap, &bitmap), 0);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
  }
}

TEST(IconGroupTest, SystemPicksTheImageDrawnForEachSize) {
  const auto group = Resource(L"DEFAULT_ICON", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_EQ(group.size(), 6u + 3 * sizeof(GroupIconEntry));
  auto* directory = reinterpret_cast<BYTE*>(const_cast<std::byte*>(group.data()));
  for (int i = 0; i < 3; ++i) {
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    SCOPED_TRACE(+entry.width);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(directory, TRUE, entry.width, entry.height, 0),
              entry.icon_id);
  }
}

}  // namespace
