// GetKeyValue and StartSysInfo against Windows' registry, files and program start; the start tests rewrite
// the tool's registration, so they run only in Wine, in a prefix the test command throws away.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "about/AboutLogic.h"
#include "about/AboutTexts.h"
#include "about/SystemTools.h"
#include "state/AppText.h"
#include "about/AnsiText.h"
#include "support/RecordingMessages.h"

namespace tomira {
namespace {

namespace fs = std::filesystem;
using testing::ShownMessage;

const ShownMessage kUnavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "TOMIRA", MessageIcon::None};
const std::wstring kKey = L"SOFTWARE\\TOMIRA Test";

void WriteText(const std::wstring& key, const std::wstring& name, const std::wstring& text)
{
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), REG_SZ, text.c_str(),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

// The About box's logic over the system's registry, file test and start.
struct SystemAbout {
    std::unique_ptr<RegistryApi> registry = MakeSystemRegistry();
    std::unique_ptr<FileProbe> files = MakeSystemFileProbe();
    std::unique_ptr<ProgramStarter> starter = MakeSystemProgramStarter();
    testing::RecordingMessages messages;
    AboutLogic logic{*registry, *files, *starter, messages};
};

std::vector<ShownMessage> StartSysInfo()
{
    SystemAbout about;
    about.logic.StartSysInfo();
    return about.messages.shown;
}

TEST(WindowsRegistryTest, ReadsTextInTheCodePageAndNumbersAndLeaksNoHandle)
{
    ASSERT_EQ(GetACP(), 932u) << "the test command runs Wine as Japanese Windows";
    WriteText(kKey, L"\u30C4\u30FC\u30EB", L"C:\\\u30C4\u30FC\u30EB\\msinfo32.exe");
    const DWORD number = 261;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey.c_str(), L"Number", REG_DWORD, &number, sizeof number);
    SystemAbout about;
    AboutLogic& logic = about.logic;
    std::string value;
    EXPECT_TRUE(logic.GetKeyValue(kHKeyLocalMachine, "software\\tomira test", "ツール", value));
    EXPECT_EQ(value, "C:\\ツール\\msinfo32.exe");
    EXPECT_TRUE(logic.GetKeyValue(kHKeyLocalMachine, "SOFTWARE\\TOMIRA Test", "Number", value));
    EXPECT_EQ(value, "&h00000105");
    EXPECT_FALSE(logic.GetKeyValue(kHKeyLocalMachine, "SOFTWARE\\TOMIRA Test\\Missing", "Number", value));
    EXPECT_EQ(value, "");
    // A handle left open by each lookup would show after many lookups.
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 200; ++i) {
        logic.GetKeyValue(kHKeyLocalMachine, "SOFTWARE\\TOMIRA Test", i % 2 ? "Number" : "Missing", value);
    }
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_LT(after, before + 10);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey.c_str());
}

class WindowsSysInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) {
            GTEST_SKIP() << "rewrites the tool's registration; runs only in a throwaway Wine prefix";
        }
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        root = fs::temp_directory_path() / ("tomira-sysinfo-" + std::to_string(GetCurrentProcessId()));
        for (const char* folder : {"with blanks", "hidden"}) {
            fs::create_directories(root / folder);
            fs::copy_file(fs::path(self).parent_path() / "sysinfo_stub.exe", root / folder / "MSINFO32.EXE");
        }
        fs::copy_file(root / "hidden" / "MSINFO32.EXE", root / "with.exe");
        SetFileAttributesW((root / "hidden" / "MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN);
        std::ofstream(root / "run.bat") << "@echo ran> \"" << (root / "bat-ran.txt").string() << "\"\r\n";
    }
    void TearDown() override
    {
        if (!IsSkipped()) {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kPathKey, L"PATH");
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kFolderKey, L"MSINFO");
            SetFileAttributesW((root / "hidden" / "MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_NORMAL);
            std::error_code ignored;
            fs::remove_all(root, ignored);
        }
    }
    // What the stub at `program` recorded, once it has run.
    static std::string StartRecord(const fs::path& program, std::chrono::milliseconds limit)
    {
        const fs::path record = program.wstring() + L".started";
        for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
            if (fs::exists(record))
                return std::string(std::istreambuf_iterator<char>(std::ifstream(record).rdbuf()), {});
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return std::string();
    }

    static constexpr const wchar_t* kPathKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static constexpr const wchar_t* kFolderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";
    fs::path root;
};

TEST_F(WindowsSysInfoTest, APathWithBlanksStartsThatProgramOnlyWithItsQuotedPath)
{
    WriteText(kPathKey, L"PATH", (root / "with blanks" / "MSINFO32.EXE").wstring());
    EXPECT_TRUE(StartSysInfo().empty());
    const std::string record = StartRecord(root / "with blanks" / "MSINFO32.EXE", std::chrono::seconds(20));
    EXPECT_EQ(record, "commandline=\"" + Utf8FromWide((root / "with blanks" / "MSINFO32.EXE").wstring()) + "\"\n");
    EXPECT_EQ(StartRecord(root / "with.exe", std::chrono::milliseconds(1500)), "");
}

TEST_F(WindowsSysInfoTest, ABatchFileOrAHiddenToolIsNeverStarted)
{
    WriteText(kPathKey, L"PATH", (root / "run.bat").wstring());
    EXPECT_EQ(StartSysInfo(), std::vector<ShownMessage>{kUnavailable});
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kPathKey, L"PATH");
    WriteText(kFolderKey, L"MSINFO", (root / "hidden").wstring());
    EXPECT_EQ(StartSysInfo(), std::vector<ShownMessage>{kUnavailable});
    EXPECT_EQ(StartRecord(root / "hidden" / "MSINFO32.EXE", std::chrono::milliseconds(1500)), "");
    EXPECT_FALSE(fs::exists(root / "bat-ran.txt"));
}

}  // namespace
}  // namespace tomira
