// StartSysInfo from end to end on Windows: the registry values of the
// system information tool, the file test and the real start of a program.
// It rewrites the tool's registration, so it runs only inside Wine, whose
// prefix the test command makes for the run and throws away.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "about/AboutLogic.h"
#include "about/AnsiText.h"
#include "ui/RecordingMessages.h"

namespace tomira {
namespace {

namespace fs = std::filesystem;
using testing::RecordingMessages;
using testing::ShownMessage;

const ShownMessage kUnavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "TOMIRA", MessageIcon::None};

bool UnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

fs::path OwnFolder()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path();
}

// One registry value as it was before the test.
struct SavedValue {
    SavedValue(const wchar_t* keyName, const wchar_t* valueName) : key(keyName), name(valueName) {}
    const wchar_t* key;
    const wchar_t* name;
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;

    void Save()
    {
        DWORD size = 0;
        present = RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) ==
                  ERROR_SUCCESS;
        if (present) {
            data.resize(size);
            RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size);
            data.resize(size);
        }
    }
    void Restore() const
    {
        HKEY handle = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        if (present) {
            RegSetValueExW(handle, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
        } else {
            RegDeleteValueW(handle, name);
        }
        RegCloseKey(handle);
    }
};

class SysInfoEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!UnderWine()) {
            GTEST_SKIP() << "rewrites the registration of the system information tool; runs only in a throwaway "
                            "Wine prefix (scripts/test-windows.sh)";
        }
        path.Save();
        folder.Save();
        Clear(path);
        Clear(folder);

        root = fs::temp_directory_path() /
               ("tomira-sysinfo-" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "tool");
        fs::create_directories(root / "empty");
        fs::create_directories(root / "with blanks");
        fs::create_directories(root / "hidden");
        fs::create_directories(root / "as folder" / "MSINFO32.EXE");
        const fs::path stub = OwnFolder() / "sysinfo_stub.exe";
        ASSERT_TRUE(fs::exists(stub)) << stub.string();
        for (const fs::path& copy : {root / "tool" / "MSINFO32.EXE", root / "with blanks" / "MSINFO32.EXE",
                                     root / "with.exe", root / "hidden" / "MSINFO32.EXE"}) {
            fs::copy_file(stub, copy);
        }
        SetFileAttributesW((root / "hidden" / "MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN);
        std::ofstream(root / "run.bat") << "@echo ran> \"" << (root / "bat-ran.txt").string() << "\"\r\n";
    }

    void TearDown() override
    {
        if (IsSkipped()) {
            return;
        }
        path.Restore();
        folder.Restore();
        SetFileAttributesW((root / "hidden" / "MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    static void Clear(const SavedValue& value)
    {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, value.key, 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
            RegDeleteValueW(handle, value.name);
            RegCloseKey(handle);
        }
    }

    static void Write(const SavedValue& value, const std::wstring& text, DWORD type = REG_SZ)
    {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, value.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(handle, value.name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }
    void WritePath(const fs::path& tool, DWORD type = REG_SZ) { Write(path, tool.wstring(), type); }
    void WriteFolder(const fs::path& where) { Write(folder, where.wstring()); }

    // Presses the button: the system's registry, file test and start.
    std::vector<ShownMessage> StartSysInfo()
    {
        auto registry = MakeSystemRegistry();
        auto files = MakeSystemFileProbe();
        auto starter = MakeSystemProgramStarter();
        RecordingMessages messages;
        AboutLogic(*registry, *files, *starter, messages).StartSysInfo();
        return messages.shown;
    }

    // What the stub at `program` recorded, once it has run.
    static std::optional<std::string> WaitForStart(const fs::path& program, std::chrono::milliseconds limit)
    {
        const fs::path record = program.wstring() + L".started";
        const auto end = std::chrono::steady_clock::now() + limit;
        do {
            if (fs::exists(record)) {
                std::ifstream in(record);
                std::stringstream text;
                text << in.rdbuf();
                return text.str();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < end);
        return std::nullopt;
    }
    static std::optional<std::string> WaitForStart(const fs::path& program)
    {
        return WaitForStart(program, std::chrono::seconds(20));
    }
    // Gives a wrongly started program time to show itself.
    static bool StaysUnstarted(const fs::path& program)
    {
        return !WaitForStart(program, std::chrono::milliseconds(1500)).has_value();
    }

    static std::string Quoted(const fs::path& program)
    {
        std::string quoted(1, '"');
        quoted += Utf8FromWide(program.wstring());
        quoted += '"';
        return quoted;
    }

    SavedValue path{L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"};
    SavedValue folder{L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO"};
    fs::path root;
};

TEST_F(SysInfoEndToEndTest, PathNamingAMissingFileShowsTheMessage)
{
    WritePath(root / "missing" / "MSINFO32.EXE");
    WriteFolder(root / "tool");
    EXPECT_EQ(StartSysInfo(), std::vector<ShownMessage>{kUnavailable});
    // The path is used as read: the folder is not tried after it.
    EXPECT_TRUE(StaysUnstarted(root / "tool" / "MSINFO32.EXE"));
}

TEST_F(SysInfoEndToEndTest, FolderHoldingTheToolStartsIt)
{
    WriteFolder(root / "tool");
    EXPECT_TRUE(StartSysInfo().empty());
    const auto record = WaitForStart(root / "tool" / "MSINFO32.EXE");
    ASSERT_TRUE(record.has_value()) << "the tool did not start";
    // Its own quoted path and nothing else; a normal window with the focus.
    EXPECT_NE(record->find("commandline=" + Quoted(root / "tool" / "MSINFO32.EXE") + "\n"), std::string::npos)
        << *record;
    EXPECT_NE(record->find("show=1\n"), std::string::npos) << *record;
    EXPECT_NE(record->find("flags=1\n"), std::string::npos) << *record;
}

TEST_F(SysInfoEndToEndTest, FolderWithoutTheToolShowsTheMessage)
{
    WriteFolder(root / "empty");
    EXPECT_EQ(StartSysInfo(), std::vector<ShownMessage>{kUnavailable});
}

TEST_F(SysInfoEndToEndTest, NeitherValueShowsTheMessage)
{
    EXPECT_EQ(StartSysInfo(), std::vector<ShownMessage>{kUnavailable});
}

TEST_F(SysInfoEndToEndTest, PathWithBlanksStartsThatProgramOnly)
{
    // "...\with.exe" is what a command line split at the blank would run.
    WritePath(root / "with blanks" / "MSINFO32.EXE");
    EXPECT_TRUE(StartSysInfo().empty());
    const auto record = WaitForStart(root / "with blanks" / "MSINFO32.EXE");
    ASSERT_TRUE(record.has_value()) << "the tool did not start";
    EXPECT_NE(record->find("commandline=" + Quoted(root / "with blanks" / "MSINFO32.EXE") + "\n"), std::string::npos)
        << *record;
    EXPECT_TRUE(StaysUnstarted(root / "with.exe"));
}

TEST_F(SysInfoEndToEndTest, BatchFileIsNeverHandedToTheCommandInterpreter)
{
    WritePath(root / "run.bat");
    EXPECT_EQ(StartSysInfo(), std::vector<ShownMessage>{kUnavailable});
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_FALSE(fs::exists(root / "bat-ran.txt"));
}

TEST_F(SysInfoEndToEndTest, HiddenToolOrFolderOfThatNameShowsTheMessage)
{
    WriteFolder(root / "hidden");
    EXPECT_EQ(StartSysInfo(), std::vector<ShownMessage>{kUnavailable});
    WriteFolder(root / "as folder");
    EXPECT_EQ(StartSysInfo(), (std::vector<ShownMessage>{kUnavailable}));
    EXPECT_TRUE(StaysUnstarted(root / "hidden" / "MSINFO32.EXE"));
}

TEST_F(SysInfoEndToEndTest, PathOfAnotherTypeShowsTheMessage)
{
    // Read as true, but leaves the path empty, which does not start.
    WritePath(root / "tool" / "MSINFO32.EXE", REG_EXPAND_SZ);
    WriteFolder(root / "tool");
    EXPECT_EQ(StartSysInfo(), std::vector<ShownMessage>{kUnavailable});
    EXPECT_TRUE(StaysUnstarted(root / "tool" / "MSINFO32.EXE"));
}

TEST(WindowsFileProbeTest, OnlyVisibleOrdinaryFilesCount)
{
    const fs::path root = fs::temp_directory_path() / ("tomira-probe-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root / "folder");
    std::ofstream(root / "plain.txt") << "x";
    std::ofstream(root / "readonly.txt") << "x";
    std::ofstream(root / "hidden.txt") << "x";
    std::ofstream(root / "system.txt") << "x";
    SetFileAttributesW((root / "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesW((root / "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((root / "system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    auto probe = MakeSystemFileProbe();
    auto at = [&](const char* name) { return Utf8FromWide((root / name).wstring()); };
    EXPECT_TRUE(probe->IsOrdinaryFile(at("plain.txt")));
    EXPECT_TRUE(probe->IsOrdinaryFile(at("readonly.txt")));
    EXPECT_FALSE(probe->IsOrdinaryFile(at("hidden.txt")));
    EXPECT_FALSE(probe->IsOrdinaryFile(at("system.txt")));
    EXPECT_FALSE(probe->IsOrdinaryFile(at("folder")));
    EXPECT_FALSE(probe->IsOrdinaryFile(at("missing.txt")));
    EXPECT_FALSE(probe->IsOrdinaryFile(at("*.txt")));
    for (const char* name : {"readonly.txt", "hidden.txt", "system.txt"}) {
        SetFileAttributesW((root / name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

TEST(WindowsProgramStarterTest, RefusesWhatIsNoProgram)
{
    auto starter = MakeSystemProgramStarter();
    EXPECT_FALSE(starter->Start(""));
    EXPECT_FALSE(starter->Start("C:\\windows\\system32\\cmd.exe\" /c echo"));
    EXPECT_FALSE(starter->Start("C:\\no such folder\\MSINFO32.EXE"));
    EXPECT_FALSE(starter->Start(Utf8FromWide(OwnFolder().wstring())));
}

}  // namespace
}  // namespace tomira
