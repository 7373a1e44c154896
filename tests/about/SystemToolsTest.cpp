// The file test and the start of the system the tests run on (not Windows:
// there the same is proven against the real system calls).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "about/AboutLogic.h"
#include "ui/RecordingMessages.h"

namespace tomira {
namespace {

namespace fs = std::filesystem;

class PosixToolsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("tomira-about-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "folder");
        std::ofstream(root / "MSINFO32.EXE") << "x";
        std::ofstream(root / ".hidden") << "x";
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(PosixToolsTest, OnlyVisibleOrdinaryFilesCount)
{
    auto probe = MakeSystemFileProbe();
    EXPECT_TRUE(probe->IsOrdinaryFile((root / "MSINFO32.EXE").string()));
    EXPECT_FALSE(probe->IsOrdinaryFile((root / "folder").string()));
    EXPECT_FALSE(probe->IsOrdinaryFile((root / ".hidden").string()));
    EXPECT_FALSE(probe->IsOrdinaryFile((root / "missing").string()));
    EXPECT_FALSE(probe->IsOrdinaryFile(""));
}

TEST_F(PosixToolsTest, NoToolIsEverStarted)
{
    auto starter = MakeSystemProgramStarter();
    EXPECT_FALSE(starter->Start((root / "MSINFO32.EXE").string()));
    EXPECT_FALSE(starter->Start("/bin/true"));
}

TEST(SystemRegistryTest, WithoutARegistryTheToolIsUnavailable)
{
    auto registry = MakeSystemRegistry();
    auto files = MakeSystemFileProbe();
    auto starter = MakeSystemProgramStarter();
    testing::RecordingMessages messages;
    AboutLogic logic(*registry, *files, *starter, messages);
    std::string value = "before";
    EXPECT_FALSE(logic.GetKeyValue(kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, value));
    EXPECT_EQ(value, "");
    logic.StartSysInfo();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "現時点ではｼｽﾃﾑ情報を使用できません");
    EXPECT_EQ(messages.shown[0].title, "TOMIRA");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

}  // namespace
}  // namespace tomira
