// GetKeyValue against the registry of Windows (or of Wine), under a key of
// the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "KeyValueCases.h"
#include "about/AboutLogic.h"
#include "about/AnsiText.h"
#include "ui/RecordingMessages.h"

namespace tomira {
namespace {

using testing::KeyValueCase;
using testing::NoFiles;
using testing::NoStarts;

// A key of the test's own below HKEY_LOCAL_MACHINE, removed afterwards.
class OwnKey {
public:
    OwnKey()
        : name_("SOFTWARE\\TOMIRA Test\\" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name())
    {
        for (char& c : name_) {
            if (c == '/') {
                c = '-';
            }
        }
        const LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                            &key_, nullptr);
        EXPECT_EQ(status, ERROR_SUCCESS) << "cannot create HKLM\\" << name_;
    }
    ~OwnKey()
    {
        RegCloseKey(key_);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, name_.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TOMIRA Test");
    }
    // Text types are stored as UTF-16, byte for byte; others as they are.
    void Set(const std::wstring& value, std::uint32_t type, const std::vector<unsigned char>& data)
    {
        std::vector<unsigned char> stored = data;
        if (type == kRegSz || type == kRegExpandSz) {
            stored.clear();
            for (const unsigned char byte : data) {
                stored.push_back(byte);
                stored.push_back(0);
            }
        }
        ASSERT_EQ(RegSetValueExW(key_, value.c_str(), 0, type, stored.data(), static_cast<DWORD>(stored.size())),
                  ERROR_SUCCESS);
    }
    void SetText(const std::wstring& value, const std::wstring& text)
    {
        ASSERT_EQ(RegSetValueExW(key_, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    const std::string& name() const { return name_; }
    HKEY handle() const { return key_; }

private:
    std::string name_;
    HKEY key_ = nullptr;
};

struct Lookup {
    Lookup() : registry(MakeSystemRegistry()), logic(*registry, files, starter, messages) {}
    std::unique_ptr<RegistryApi> registry;
    NoFiles files;
    NoStarts starter;
    testing::RecordingMessages messages;
    AboutLogic logic;
};

class WindowsKeyValueTest : public ::testing::TestWithParam<KeyValueCase> {};

TEST_P(WindowsKeyValueTest, ReadsTheSystemRegistry)
{
    const KeyValueCase& c = GetParam();
    OwnKey key;
    if (c.stored) {
        key.Set(L"Value", c.type, c.data);
    }
    Lookup lookup;
    std::string value = testing::kBefore;
    EXPECT_EQ(lookup.logic.GetKeyValue(kHKeyLocalMachine, key.name(), "Value", value), c.expectedResult);
    EXPECT_EQ(value, c.expectedValue);
}

INSTANTIATE_TEST_SUITE_P(Values, WindowsKeyValueTest, ::testing::ValuesIn(testing::KeyValueCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WindowsRegistryTest, MissingKeyIsNotFound)
{
    OwnKey key;
    Lookup lookup;
    std::string value = "before";
    EXPECT_FALSE(lookup.logic.GetKeyValue(kHKeyLocalMachine, key.name() + "\\Missing", "Value", value));
    EXPECT_EQ(value, "");
}

TEST(WindowsRegistryTest, NamesAreComparedWithoutCase)
{
    OwnKey key;
    key.SetText(L"PATH", L"C:\\Tools\\msinfo32.exe");
    Lookup lookup;
    std::string lowered = key.name();
    for (char& c : lowered) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyLocalMachine, lowered, "path", value));
    EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
}

TEST(WindowsRegistryTest, EveryKeyOpenedIsClosed)
{
    // Each lookup opens one key handle; a leak would show in the count of
    // the process's handles after many lookups.
    OwnKey key;
    key.SetText(L"PATH", L"x");
    Lookup lookup;
    std::string value;
    DWORD before = 0;
    DWORD after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 200; ++i) {
        lookup.logic.GetKeyValue(kHKeyLocalMachine, key.name(), i % 2 == 0 ? "PATH" : "Missing", value);
    }
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_LT(after, before + 10);
}

// Text in the system's ANSI code page comes back as the program's text.
TEST(WindowsRegistryTest, TextIsDecodedFromTheAnsiCodePage)
{
    std::wstring wide;
    std::string utf8;
    switch (GetACP()) {
    case 932:
        wide = L"C:\\\u30C4\u30FC\u30EB\\msinfo32.exe";
        utf8 = "C:\\ツール\\msinfo32.exe";
        break;
    case 1252:
        wide = L"C:\\Outils caf\u00E9\\msinfo32.exe";
        utf8 = "C:\\Outils café\\msinfo32.exe";
        break;
    default:
        FAIL() << "no sample text for code page " << GetACP();
    }
    OwnKey key;
    key.SetText(wide, wide);
    Lookup lookup;
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyLocalMachine, key.name(), utf8, value)) << "code page " << GetACP();
    EXPECT_EQ(value, utf8);
    EXPECT_EQ(Utf8FromAnsi(AnsiFromUtf8(utf8)), utf8);
}

TEST(WindowsRegistryTest, CurrentUserRootIsSignExtendedToo)
{
    HKEY key = nullptr;
    const std::string name = "Software\\TOMIRA Test " + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 261;
    RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
    Lookup lookup;
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyCurrentUser, name, "Number", value));
    EXPECT_EQ(value, "&h00000105");
    RegDeleteTreeA(HKEY_CURRENT_USER, name.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, name.c_str());
}

}  // namespace
}  // namespace tomira
