#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <stdexcept>

#include "about/AboutLogic.h"
#include "ui/RecordingMessages.h"

namespace tomira {
namespace {

using testing::RecordingMessages;
using testing::ShownMessage;

const ShownMessage kUnavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "TOMIRA", MessageIcon::None};

class FakeFiles : public FileProbe {
public:
    bool IsOrdinaryFile(const std::string& path) override
    {
        asked.push_back(path);
        if (fail) {
            throw std::runtime_error("file test failed");
        }
        return files.count(path) != 0;
    }
    std::set<std::string> files;
    std::vector<std::string> asked;
    bool fail = false;
};

class FakeStarter : public ProgramStarter {
public:
    bool Start(const std::string& path) override
    {
        started.push_back(path);
        if (fail) {
            throw std::runtime_error("start failed");
        }
        return programs.count(path) != 0;
    }
    std::set<std::string> programs;
    std::vector<std::string> started;
    bool fail = false;
};

// A registry whose every operation throws.
class BrokenRegistry : public RegistryApi {
public:
    RegStatus OpenKey(RegKey, const std::string&, std::uint32_t, std::uint32_t, RegKey&) override
    {
        throw std::bad_alloc();
    }
    RegStatus QueryValue(RegKey, const std::string&, std::uint32_t&, unsigned char*, std::uint32_t&) override
    {
        throw std::bad_alloc();
    }
    void CloseKey(RegKey) override {}
};

struct Scenario {
    const char* name;
    std::function<void(InMemoryRegistry&)> registry;
    std::set<std::string> files;     // ordinary files that exist
    std::set<std::string> programs;  // paths that start
    std::vector<std::string> expectedStarts;
    bool expectedMessage;
};

void Path(InMemoryRegistry& r, const std::string& path)
{
    r.SetText(kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, path);
}
void Folder(InMemoryRegistry& r, const std::string& folder)
{
    r.SetText(kHKeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue, folder);
}

const std::string kTool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const std::string kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
const std::string kFolderTool = kFolder + "\\MSINFO32.EXE";

std::vector<Scenario> Scenarios()
{
    return {
        {"PathIsStartedAsRead", [](auto& r) { Path(r, kTool); }, {}, {kTool}, {kTool}, false},
        {"PathIsNotTestedAndItsFailedStartIsReported", [](auto& r) { Path(r, kTool); }, {kTool}, {}, {kTool}, true},
        {"PathWinsOverFolder",
         [](auto& r) {
             Path(r, kTool);
             Folder(r, kFolder);
         },
         {kFolderTool},
         {kTool, kFolderTool},
         {kTool},
         false},
        {"FolderHoldingTheToolStartsIt", [](auto& r) { Folder(r, kFolder); }, {kFolderTool}, {kFolderTool},
         {kFolderTool}, false},
        {"FolderWithoutTheToolIsReported", [](auto& r) { Folder(r, kFolder); }, {}, {kFolderTool}, {}, true},
        {"FolderWhoseToolDoesNotStartIsReported", [](auto& r) { Folder(r, kFolder); }, {kFolderTool}, {},
         {kFolderTool}, true},
        {"NeitherValueIsReported", [](auto&) {}, {}, {}, {}, true},
        {"EmptyKeysAreReported",
         [](auto& r) {
             r.AddKey(kHKeyLocalMachine, kSysInfoPathKey);
             r.AddKey(kHKeyLocalMachine, kSysInfoLocationKey);
         },
         {},
         {},
         {},
         true},
        {"PathOfAnotherTypeStartsNothingUseful",
         [](auto& r) {
             r.SetValue(kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, kRegBinary, {1, 2});
             Folder(r, kFolder);
         },
         {kFolderTool},
         {kFolderTool},
         {""},
         true},
        {"PathAsNumberIsStartedAsItsText",
         [](auto& r) { r.SetDword(kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, 1); }, {}, {}, {"&h00000001"},
         true},
        {"OverlongPathCountsAsMissing",
         [](auto& r) {
             Path(r, std::string(2000, 'x'));
             Folder(r, kFolder);
         },
         {kFolderTool},
         {kFolderTool},
         {kFolderTool},
         false},
        {"FolderOfAnotherTypeIsReported",
         [](auto& r) { r.SetValue(kHKeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue, kRegBinary, {1}); },
         {"\\MSINFO32.EXE"},
         {},
         {"\\MSINFO32.EXE"},
         true},
        {"ReadOnlyKeysStillFindTheTool",
         [](auto& r) {
             Folder(r, kFolder);
             r.AddKey(kHKeyLocalMachine, kSysInfoPathKey);
             r.RestrictAccess(kHKeyLocalMachine, kSysInfoPathKey, kKeyRead);
             r.RestrictAccess(kHKeyLocalMachine, kSysInfoLocationKey, kKeyRead);
         },
         {kFolderTool},
         {kFolderTool},
         {kFolderTool},
         false},
    };
}

class StartSysInfoTableTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(StartSysInfoTableTest, StartsTheToolOrSaysItIsUnavailable)
{
    const Scenario& s = GetParam();
    InMemoryRegistry registry;
    s.registry(registry);
    FakeFiles files;
    files.files = s.files;
    FakeStarter starter;
    starter.programs = s.programs;
    RecordingMessages messages;
    AboutLogic logic(registry, files, starter, messages);

    logic.StartSysInfo();

    EXPECT_EQ(starter.started, s.expectedStarts);
    if (s.expectedMessage) {
        EXPECT_EQ(messages.shown, std::vector<ShownMessage>{kUnavailable});
    } else {
        EXPECT_TRUE(messages.shown.empty());
    }
    EXPECT_EQ(registry.OpenHandles(), 0u);
    EXPECT_EQ(registry.badCloses, 0);
}

INSTANTIATE_TEST_SUITE_P(Registrations, StartSysInfoTableTest, ::testing::ValuesIn(Scenarios()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartSysInfoTest, OnlyTheFolderLookupIsTestedForTheFile)
{
    InMemoryRegistry registry;
    Folder(registry, "D:\\Tools");
    FakeFiles files;
    FakeStarter starter;
    RecordingMessages messages;
    AboutLogic(registry, files, starter, messages).StartSysInfo();
    EXPECT_EQ(files.asked, std::vector<std::string>{"D:\\Tools\\MSINFO32.EXE"});

    files.asked.clear();
    Path(registry, "D:\\Tools\\msinfo32.exe");
    AboutLogic(registry, files, starter, messages).StartSysInfo();
    EXPECT_TRUE(files.asked.empty());
}

TEST(StartSysInfoTest, EveryFailureEndsInTheOneMessage)
{
    struct Failure {
        const char* name;
        bool registryThrows, filesThrow, startThrows;
    };
    for (const Failure f : {Failure{"registry", true, false, false}, Failure{"file test", false, true, false},
                            Failure{"start", false, false, true}}) {
        InMemoryRegistry memory;
        Folder(memory, kFolder);
        BrokenRegistry broken;
        RegistryApi& registry = f.registryThrows ? static_cast<RegistryApi&>(broken) : memory;
        FakeFiles files;
        files.files = {kFolderTool};
        files.fail = f.filesThrow;
        FakeStarter starter;
        starter.programs = {kFolderTool};
        starter.fail = f.startThrows;
        RecordingMessages messages;
        AboutLogic logic(registry, files, starter, messages);
        EXPECT_NO_THROW(logic.StartSysInfo()) << f.name;
        EXPECT_EQ(messages.shown, std::vector<ShownMessage>{kUnavailable}) << f.name;
        EXPECT_EQ(memory.OpenHandles(), 0u) << f.name;
    }
}

TEST(StartSysInfoTest, FailingMessageDoesNotEscape)
{
    NoRegistry registry;
    FakeFiles files;
    FakeStarter starter;
    RecordingMessages messages;
    messages.onShow = [](const ShownMessage&) { throw std::runtime_error("no message box"); };
    AboutLogic logic(registry, files, starter, messages);
    EXPECT_NO_THROW(logic.StartSysInfo());
    // It was tried once, not again after its own failure.
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(StartSysInfoTest, EachPressTriesAgain)
{
    InMemoryRegistry registry;
    FakeFiles files;
    FakeStarter starter;
    starter.programs = {kTool};
    RecordingMessages messages;
    AboutLogic logic(registry, files, starter, messages);
    logic.StartSysInfo();
    Path(registry, kTool);
    logic.StartSysInfo();
    EXPECT_EQ(messages.shown, std::vector<ShownMessage>{kUnavailable});
    EXPECT_EQ(starter.started, std::vector<std::string>{kTool});
}

TEST(AboutTextsTest, LoadSetsCaptionVersionAndThreeTitleLines)
{
    const AboutTexts texts = LoadAboutTexts();
    EXPECT_EQ(texts.caption, "TOMIRAのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(texts.version, "Version 2.02");
    const std::string& title = texts.title;
    ASSERT_EQ(title.rfind("TOMIRA\r\n", 0), 0u) << title;
    const std::size_t second = title.find("\r\n") + 2;
    const std::size_t third = title.find("\r\n", second);
    ASSERT_NE(third, std::string::npos);
    EXPECT_GT(third, second);
    EXPECT_LT(third + 2, title.size());
    EXPECT_EQ(title.find("\r\n", third + 2), std::string::npos);
    EXPECT_EQ(title.find('\n'), title.find("\r\n") + 1) << "only CR LF between lines";
}

}  // namespace
}  // namespace tomira
