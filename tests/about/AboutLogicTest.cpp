// GetKeyValue over the in-memory registry, StartSysInfo over stand-ins for the file test and program start.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "about/AboutLogic.h"
#include "about/AboutTexts.h"
#include "state/AppText.h"
#include "support/InMemoryRegistry.h"
#include "support/RecordingMessages.h"

namespace tomira {
namespace {

using testing::ShownMessage;

const ShownMessage kUnavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "TOMIRA", MessageIcon::None};
const std::string kKey = "SOFTWARE\\TOMIRA Test";

class FakeSystem : public FileProbe, public ProgramStarter {
public:
    bool IsOrdinaryFile(const std::string& path) override { return files.count(path) != 0; }
    bool Start(const std::string& path) override
    {
        started.push_back(path);
        return programs.count(path) != 0;
    }
    std::set<std::string> files, programs;
    std::vector<std::string> started;
};

struct Fixture {
    InMemoryRegistry registry;
    FakeSystem system;
    testing::RecordingMessages messages;
    AboutLogic logic{registry, system, system, messages};
};

TEST(GetKeyValueTest, ReadsTextAndNumbersAsWindowsWouldAlsoFromAReadOnlyKeyAndClosesIt)
{
    // Type and data stored, whether the key may only be read, whether found, the value read ("before" on entry).
    const std::tuple<std::uint32_t, std::string, bool, bool, std::string> cases[] = {
        {kRegSz, "C:\\Tools", false, true, "C:\\Tools"},                                  // without a terminator
        {kRegSz, std::string("ab\0cd\0\0", 7), false, true, std::string("ab\0cd\0", 6)},  // only the last goes
        {kRegSz, std::string(1023, 'a') + '\0', false, true, std::string(1023, 'a')},
        {kRegSz, std::string(1024, 'a') + '\0', false, false, ""},  // over the 1024-byte buffer
        {kRegDword, "\xEF\xBE\xAD\xDE", false, true, "&hDEADBEEF"},
        {kRegBinary, "\x01\x02", false, true, "before"},
        {kRegSz, std::string("C:\\x.exe\0", 9), true, true, "C:\\x.exe"},
    };
    for (const auto& [type, data, readOnly, found, expected] : cases) {
        Fixture f;
        f.registry.SetValue(kHKeyLocalMachine, kKey, "Value", type, {data.begin(), data.end()});
        if (readOnly) f.registry.RestrictAccess(kHKeyLocalMachine, kKey, kKeyRead);
        std::string value = "before";
        EXPECT_EQ(f.logic.GetKeyValue(kHKeyLocalMachine, kKey, "Value", value), found) << data;
        EXPECT_EQ(value, expected);
        // Opened once for query and write (a read-only key again for reading), and closed again.
        EXPECT_EQ(f.registry.accessRequested,
                  readOnly ? std::vector<std::uint32_t>({0x2003F, 0x20019}) : std::vector<std::uint32_t>({0x2003F}));
        EXPECT_EQ(f.registry.OpenHandles(), 0u);
        EXPECT_EQ(f.registry.badCloses, 0);
    }
    Fixture f;
    std::string value = "before";
    EXPECT_FALSE(f.logic.GetKeyValue(kHKeyCurrentUser, kKey, "Value", value));
    EXPECT_EQ(value, "");
}

TEST(StartSysInfoTest, StartsTheRegisteredToolOrSaysItIsUnavailable)
{
    const std::string tool = "C:\\Program Files\\MSInfo\\msinfo32.exe";
    const std::string folder = "D:\\MSInfo";
    const std::string folderTool = folder + "\\MSINFO32.EXE";
    struct Case {
        const char* name;
        bool path, folder, fileThere, starts;
        std::vector<std::string> started;
    };
    const Case cases[] = {
        {"the path is started as read, untested", true, false, false, true, {tool}},
        {"a path that does not start", true, false, false, false, {tool}},
        {"the path wins over the folder", true, true, true, true, {tool}},
        {"the folder holding the tool", false, true, true, true, {folderTool}},
        {"the folder without the tool", false, true, false, true, {}},
        {"neither", false, false, false, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        if (c.path) f.registry.SetText(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", tool);
        if (c.folder)
            f.registry.SetText(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder);
        if (c.fileThere) f.system.files = {folderTool};
        if (c.starts) f.system.programs = {tool, folderTool};
        f.logic.StartSysInfo();
        EXPECT_EQ(f.system.started, c.started);
        const bool started = !c.started.empty() && c.starts;
        EXPECT_EQ(f.messages.shown, started ? std::vector<ShownMessage>{} : std::vector<ShownMessage>{kUnavailable});
    }
}

}  // namespace
}  // namespace tomira
