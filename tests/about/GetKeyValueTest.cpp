#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "KeyValueCases.h"
#include "about/AboutLogic.h"
#include "ui/RecordingMessages.h"

namespace tomira {
namespace {

using testing::KeyValueCase;
using testing::RecordingMessages;
using testing::NoFiles;
using testing::NoStarts;

constexpr const char* kTestKey = "SOFTWARE\\TOMIRA Test\\Values";

struct Lookup {
    explicit Lookup(RegistryApi& registry) : logic(registry, files, starter, messages) {}
    NoFiles files;
    NoStarts starter;
    RecordingMessages messages;
    AboutLogic logic;
};

class KeyValueTableTest : public ::testing::TestWithParam<KeyValueCase> {};

TEST_P(KeyValueTableTest, ReadsTheValueAsWindowsWould)
{
    const KeyValueCase& c = GetParam();
    InMemoryRegistry registry;
    registry.AddKey(kHKeyLocalMachine, kTestKey);
    if (c.stored) {
        registry.SetValue(kHKeyLocalMachine, kTestKey, "Value", c.type, c.data);
    }
    Lookup lookup(registry);
    std::string value = testing::kBefore;

    EXPECT_EQ(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value), c.expectedResult);
    EXPECT_EQ(value, c.expectedValue);
    // The key was opened once, for query and write, and closed again.
    EXPECT_EQ(registry.accessRequested, std::vector<std::uint32_t>{0x2003F});
    EXPECT_EQ(registry.OpenHandles(), 0u);
    EXPECT_EQ(registry.badCloses, 0);
    EXPECT_TRUE(lookup.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Values, KeyValueTableTest, ::testing::ValuesIn(testing::KeyValueCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetKeyValueTest, UnterminatedTextMayFillTheWholeBuffer)
{
    InMemoryRegistry registry;
    const std::string text(1024, 'a');
    registry.SetText(kHKeyLocalMachine, kTestKey, "Value", text, false);
    Lookup lookup(registry);
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value));
    EXPECT_EQ(value, text);
}

TEST(GetKeyValueTest, MissingKeyEmptiesTheValueAndClosesNothing)
{
    InMemoryRegistry registry;
    registry.SetText(kHKeyLocalMachine, "SOFTWARE\\Other", "Value", "x");
    Lookup lookup(registry);
    std::string value = "before";
    EXPECT_FALSE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.badCloses, 0);
}

TEST(GetKeyValueTest, KeyUnderAnotherRootIsNotFound)
{
    InMemoryRegistry registry;
    registry.SetText(kHKeyCurrentUser, kTestKey, "Value", "x");
    Lookup lookup(registry);
    std::string value = "before";
    EXPECT_FALSE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value));
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyCurrentUser, kTestKey, "Value", value));
    EXPECT_EQ(value, "x");
}

TEST(GetKeyValueTest, NamesAreComparedWithoutCase)
{
    InMemoryRegistry registry;
    registry.SetText(kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, "C:\\x.exe");
    Lookup lookup(registry);
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyLocalMachine, "software\\microsoft\\shared tools\\msinfo", "path",
                                         value));
    EXPECT_EQ(value, "C:\\x.exe");
}

#ifndef _WIN32
// Outside Windows the narrow text is UTF-8 already (on Windows the code
// page is proven against the system's registry).
TEST(GetKeyValueTest, TextPassesThroughTheCodePage)
{
    InMemoryRegistry registry;
    registry.SetText(kHKeyLocalMachine, kTestKey, "ツール", "C:\\ツール\\msinfo32.exe");
    Lookup lookup(registry);
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "ツール", value));
    EXPECT_EQ(value, "C:\\ツール\\msinfo32.exe");
}
#endif

TEST(GetKeyValueTest, ReadOnlyKeyIsReadWithReadAccess)
{
    // Users without administrator rights may not open the key for writing.
    InMemoryRegistry registry;
    registry.SetText(kHKeyLocalMachine, kTestKey, "Value", "C:\\x.exe");
    registry.RestrictAccess(kHKeyLocalMachine, kTestKey, kKeyRead);
    Lookup lookup(registry);
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value));
    EXPECT_EQ(value, "C:\\x.exe");
    EXPECT_EQ(registry.accessRequested, (std::vector<std::uint32_t>{0x2003F, 0x20019}));
    EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST(GetKeyValueTest, KeyClosedToEveryoneIsNotFound)
{
    InMemoryRegistry registry;
    registry.SetText(kHKeyLocalMachine, kTestKey, "Value", "C:\\x.exe");
    registry.RestrictAccess(kHKeyLocalMachine, kTestKey, 0);
    Lookup lookup(registry);
    std::string value = "before";
    EXPECT_FALSE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST(GetKeyValueTest, RegistryWithoutKeysFindsNothing)
{
    NoRegistry registry;
    Lookup lookup(registry);
    std::string value = "before";
    EXPECT_FALSE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, value));
    EXPECT_EQ(value, "");
}

class MockRegistry : public RegistryApi {
public:
    MOCK_METHOD(RegStatus, OpenKey, (RegKey, const std::string&, std::uint32_t, std::uint32_t, RegKey&), (override));
    MOCK_METHOD(RegStatus, QueryValue, (RegKey, const std::string&, std::uint32_t&, unsigned char*, std::uint32_t&),
                (override));
    MOCK_METHOD(void, CloseKey, (RegKey), (override));
};

using ::testing::_;
using ::testing::DoAll;
using ::testing::Return;
using ::testing::SetArgReferee;

TEST(GetKeyValueTest, PassesTheRootTheNamesTheBufferAndItsSize)
{
    MockRegistry registry;
    EXPECT_CALL(registry, OpenKey(RootKey(kHKeyLocalMachine), std::string(kSysInfoPathKey), 0u, 0x2003Fu, _))
        .WillOnce(DoAll(SetArgReferee<4>(RegKey{77}), Return(kErrorSuccess)));
    EXPECT_CALL(registry, QueryValue(RegKey{77}, std::string("PATH"), _, _, _))
        .WillOnce([](RegKey, const std::string&, std::uint32_t& type, unsigned char* data, std::uint32_t& size) {
            // A zeroed buffer of 1024 bytes.
            EXPECT_EQ(size, 1024u);
            EXPECT_EQ(std::count(data, data + 1024, 0), 1024);
            data[0] = 'x';
            size = 2;
            type = kRegSz;
            return kErrorSuccess;
        });
    EXPECT_CALL(registry, CloseKey(RegKey{77})).Times(1);
    Lookup lookup(registry);
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kSysInfoPathKey, "PATH", value));
    EXPECT_EQ(value, "x");
    // The root is the 32-bit value 0x80000002, sign-extended as a handle.
    EXPECT_EQ(RootKey(kHKeyLocalMachine), static_cast<RegKey>(-2147483646));
}

TEST(GetKeyValueTest, KeyIsClosedWhenTheQueryThrows)
{
    MockRegistry registry;
    EXPECT_CALL(registry, OpenKey(_, _, _, _, _)).WillOnce(DoAll(SetArgReferee<4>(RegKey{5}), Return(kErrorSuccess)));
    EXPECT_CALL(registry, QueryValue(_, _, _, _, _)).WillOnce(::testing::Throw(std::runtime_error("broken")));
    EXPECT_CALL(registry, CloseKey(RegKey{5})).Times(1);
    Lookup lookup(registry);
    std::string value = "before";
    EXPECT_THROW(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value), std::runtime_error);
}

TEST(GetKeyValueTest, FailingCloseDoesNotChangeTheResult)
{
    MockRegistry registry;
    EXPECT_CALL(registry, OpenKey(_, _, _, _, _)).WillOnce(DoAll(SetArgReferee<4>(RegKey{5}), Return(kErrorSuccess)));
    EXPECT_CALL(registry, QueryValue(_, _, _, _, _))
        .WillOnce(DoAll(SetArgReferee<2>(kRegDword), SetArgReferee<4>(4u), Return(kErrorSuccess)));
    EXPECT_CALL(registry, CloseKey(RegKey{5})).WillOnce(::testing::Throw(std::runtime_error("broken")));
    Lookup lookup(registry);
    std::string value;
    EXPECT_TRUE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value));
    EXPECT_EQ(value, "&h00000000");
}

TEST(GetKeyValueTest, AnyFailingStatusCountsAsNotFound)
{
    for (const RegStatus status : {kErrorFileNotFound, kErrorAccessDenied, kErrorMoreData, RegStatus{1}, RegStatus{-1}}) {
        MockRegistry registry;
        EXPECT_CALL(registry, OpenKey(_, _, _, _, _))
            .WillRepeatedly(DoAll(SetArgReferee<4>(RegKey{9}), Return(kErrorSuccess)));
        EXPECT_CALL(registry, QueryValue(_, _, _, _, _))
            .WillOnce(DoAll(SetArgReferee<2>(kRegSz), SetArgReferee<4>(3u), Return(status)));
        EXPECT_CALL(registry, CloseKey(RegKey{9})).Times(1);
        Lookup lookup(registry);
        std::string value = "before";
        EXPECT_FALSE(lookup.logic.GetKeyValue(kHKeyLocalMachine, kTestKey, "Value", value)) << status;
        EXPECT_EQ(value, "") << status;
    }
}

}  // namespace
}  // namespace tomira
