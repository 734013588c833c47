#include <gtest/gtest.h>

#include "TestSupport.h"

namespace vandrel::win32 {
namespace {

constexpr wchar_t kRoot[] = L"Software\\VB and VBA Program Settings\\";

// Settings of an application name no other run uses; its key is removed
// afterwards.
class SettingsTest : public testing::Test {
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, (kRoot + app_).c_str()); }

    Win32Platform platform_{GetModuleHandleW(nullptr)};
    const Text app_ = test::uniqueName(L"VandrelTest");
};

TEST_F(SettingsTest, StoredTextReadsBackExactlyAsTheCalculatorsSeeIt) {
    const Text values[] = {
        L"社名登録１0文字迄可",       // full-width １ beside half-width 0
        L"ｶﾀｶﾅ カタカナ ＡＢＣ abc",  // half- and full-width forms stay apart
        L"7",
        L"",
        Text(3000, L'山'),
    };
    for (const Text& value : values) {
        ASSERT_TRUE(platform_.writeSetting(app_, L"Tenname", L"ETkan", value).ok());
        const auto read = platform_.readSetting(app_, L"Tenname", L"ETkan");
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.value(), value);

        // Where the calculators look: a REG_SZ value in the section's key.
        wchar_t stored[4096] = {};
        DWORD bytes = sizeof stored;
        DWORD type = 0;
        ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (kRoot + app_ + L"\\Tenname").c_str(), L"ETkan", RRF_RT_ANY, &type,
                               stored, &bytes),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(Text(stored), value);
    }
}

TEST_F(SettingsTest, AbsentValueSectionOrApplicationReadsEmpty) {
    ASSERT_TRUE(platform_.writeSetting(app_, L"Nasa", L"name", L"山田板金").ok());
    const struct {
        Text app, section, key;
    } absent[] = {
        {app_, L"Nasa", L"other"},
        {app_, L"Other", L"name"},
        {app_ + L"-none", L"Nasa", L"name"},
    };
    for (const auto& where : absent) {
        const auto read = platform_.readSetting(where.app, where.section, where.key);
        ASSERT_TRUE(read.ok()) << read.status().operation();
        EXPECT_EQ(read.value(), L"");
    }
}

TEST_F(SettingsTest, ValueThatIsNotTextReadsEmptyAsAMissingOne) {
    const Text section = kRoot + app_ + L"\\Nasa";
    const DWORD number = 7;
    const BYTE bytes[] = {0x71, 0x5C, 0x30, 0x75};  // "山田" as UTF-16LE, but stored as binary
    const wchar_t lines[] = L"山田\0板金\0";
    const struct {
        DWORD type;
        const void* data;
        DWORD size;
    } others[] = {
        {REG_DWORD, &number, sizeof number},
        {REG_BINARY, bytes, sizeof bytes},
        {REG_MULTI_SZ, lines, sizeof lines},
    };
    for (const auto& other : others) {
        SCOPED_TRACE(other.type);
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"name", other.type, other.data, other.size),
                  ERROR_SUCCESS);
        const auto read = platform_.readSetting(app_, L"Nasa", L"name");
        ASSERT_TRUE(read.ok()) << read.status().operation() << " " << read.status().systemCode();
        EXPECT_EQ(read.value(), L"");
    }
}

TEST_F(SettingsTest, StringWithoutItsTerminatorReadsExactly) {
    const Text section = kRoot + app_ + L"\\Nasa";
    const Text name = L"山田板金１0";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"name", REG_SZ, name.data(),
                              static_cast<DWORD>(name.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const auto read = platform_.readSetting(app_, L"Nasa", L"name");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), name);
}

}  // namespace
}  // namespace vandrel::win32
