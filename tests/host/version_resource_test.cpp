// The version resource of the built quorn.dll, read back under Wine with the
// functions Windows' file properties use: both language blocks carry the
// plug-in's name, vendor, version and description exactly as its
// information record gives them, and the numeric version matches.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "texts/catalog.h"
#include "win32/text_convert.h"

namespace quorn {
namespace {

std::vector<unsigned char> ReadVersionInfo(const std::wstring& path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  std::vector<unsigned char> data(size);
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data())) data.clear();
  return data;
}

// The value under SUB_BLOCK, or null when there is none.
const void* Query(std::vector<unsigned char>& info, const std::wstring& subBlock, UINT* length) {
  void* value = nullptr;
  *length = 0;
  if (!VerQueryValueW(info.data(), subBlock.c_str(), &value, length)) return nullptr;
  return value;
}

std::wstring QueryText(std::vector<unsigned char>& info, const std::wstring& block, const wchar_t* name) {
  UINT length = 0;
  auto* text = static_cast<const wchar_t*>(Query(info, L"\\StringFileInfo\\" + block + L"\\" + name, &length));
  return text ? std::wstring(text) : L"<missing>";
}

class VersionResource : public ::testing::Test {
 protected:
  void SetUp() override {
    info = ReadVersionInfo(WideFromShiftJis(QUORN_DLL_PATH));
    ASSERT_FALSE(info.empty()) << "no version resource in " << QUORN_DLL_PATH;
  }
  std::vector<unsigned char> info;
};

TEST_F(VersionResource, BothLanguageBlocksCarryTheInformationRecord) {
  const struct {
    const wchar_t* name;
    const char* expected;  // Shift-JIS, as the host receives it
  } fields[] = {
      {L"ProductName", texts::kPlugInName},
      {L"CompanyName", texts::kPlugInVendor},
      {L"FileDescription", texts::kPlugInDescription},
      {L"FileVersion", texts::kPlugInVersion},
      {L"ProductVersion", texts::kPlugInVersion},
      {L"OriginalFilename", "quorn.dll"},
  };
  for (const wchar_t* block : {L"041103A4", L"000004B0"}) {
    for (const auto& field : fields) {
      EXPECT_EQ(Utf8FromWide(QueryText(info, block, field.name)),
                Utf8FromWide(WideFromShiftJis(field.expected)))
          << Utf8FromWide(block) << " " << Utf8FromWide(field.name);
    }
  }
}

TEST_F(VersionResource, NumericVersionAndTranslationsMatch) {
  UINT length = 0;
  auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(info, L"\\", &length));
  ASSERT_NE(fixed, nullptr);
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));  // 1.0
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 9));  // .9.0
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  EXPECT_EQ(WideFromShiftJis(texts::kPlugInVersion), L"1.0.9");

  // Windows picks the block to show through this list: Japanese first.
  auto* pairs = static_cast<const WORD*>(Query(info, L"\\VarFileInfo\\Translation", &length));
  ASSERT_NE(pairs, nullptr);
  ASSERT_EQ(length, 4 * sizeof(WORD));
  EXPECT_EQ(std::vector<WORD>(pairs, pairs + 4), (std::vector<WORD>{0x0411, 932, 0x0000, 1200}));
}

}  // namespace
}  // namespace quorn
