#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "questionnaire/QuestionCatalogue.h"

namespace tomira {
namespace {

// Characters (code points) of a UTF-8 text.
int CharCount(std::string_view utf8)
{
    int count = 0;
    for (const char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

TEST(CatalogueTest, EveryStatementHasTheStoredForm)
{
    std::set<std::string_view> seen;
    for (int n = 1; n <= kStatementCount; ++n) {
        const std::string_view text = StatementText(n);
        SCOPED_TRACE(std::string("statement ") + std::to_string(n) + ":" + std::string(text));
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text[0], ' ');
        // Exactly one blank: neither a second ASCII blank nor an ideographic one.
        EXPECT_NE(text[1], ' ');
        EXPECT_NE(text.substr(1, 3), "\u3000");
        EXPECT_GE(CharCount(text), 8);
        EXPECT_LE(CharCount(text), 38);
        EXPECT_EQ(EndsWith(text, "。"), n != 26);
        EXPECT_TRUE(seen.insert(text).second) << "repeated text";
    }
}

TEST(CatalogueTest, QuotedStatementsAreVerbatim)
{
    EXPECT_EQ(StatementText(1), " 動作が非常に早い。");
    EXPECT_EQ(StatementText(25), " 汗をかきやすい。");
    EXPECT_EQ(StatementText(47), " 眠りが大変深い。");
}

TEST(CatalogueTest, NumbersMapToBlockPageRowAndAnswerSlot)
{
    struct Case {
        int number;
        Dosha block;
        int pageOffset, slot, answerIndex;
    };
    const Case cases[] = {
        {1, Dosha::Vata, 0, 0, 0},     {20, Dosha::Vata, 0, 19, 19},   {21, Dosha::Pitta, 20, 0, 20},
        {26, Dosha::Pitta, 20, 5, 25}, {40, Dosha::Pitta, 20, 19, 39}, {41, Dosha::Kapha, 40, 0, 40},
        {60, Dosha::Kapha, 40, 19, 59},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(BlockOf(c.number), c.block);
        EXPECT_EQ(PageOffsetOf(c.number), c.pageOffset);
        EXPECT_EQ(SlotOf(c.number), c.slot);
        EXPECT_EQ(AnswerIndexOf(c.number), c.answerIndex);
        EXPECT_EQ(DoshaOfPage(PageOffsetOf(c.number)), c.block);
        // The row shows the statement that is stored at offset + slot.
        EXPECT_EQ((*PageStatementTexts(PageOffsetOf(c.number)))[c.slot], StatementText(c.number));
    }
    for (const int outside : {0, 61, -1}) {
        EXPECT_THROW(StatementText(outside), std::out_of_range) << outside;
        EXPECT_THROW(AnswerIndexOf(outside), std::out_of_range) << outside;
    }
}

TEST(CatalogueTest, PagesHoldTheirTwentyStatementsAndTheDoneStateNone)
{
    for (const std::int16_t offset : {kVataPage, kPittaPage, kKaphaPage}) {
        const auto texts = PageStatementTexts(offset);
        ASSERT_TRUE(texts.has_value()) << offset;
        for (int k = 0; k < kRowsPerPage; ++k) {
            EXPECT_EQ((*texts)[k], StatementText(offset + k + 1)) << offset << "/" << k;
        }
    }
    const auto done = PageStatementTexts(kDonePage);
    ASSERT_TRUE(done.has_value());
    for (const auto& text : *done) {
        EXPECT_EQ(text, "");
    }
    EXPECT_FALSE(DoshaOfPage(kDonePage).has_value());
    for (const std::int16_t other : {1, 19, 60, 100, -1}) {
        EXPECT_FALSE(PageStatementTexts(other).has_value()) << other;
        EXPECT_FALSE(DoshaOfPage(other).has_value()) << other;
    }
}

TEST(CatalogueTest, ScaleEntriesAndTheirValues)
{
    const std::string_view expected[] = {"1:全く あてはまらない", "2:あまり あてはまらない", "3:少し あてはまる",
                                         "4:まあまあ あてはまる", "5:よく あてはまる", "6:非常によく あてはまる"};
    ASSERT_EQ(AnswerScale().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(AnswerScale()[i], expected[i]);
        EXPECT_EQ(AnswerValue(AnswerScale()[i]), static_cast<std::int16_t>(i + 1));
    }
    // No entry chosen is a missing answer, never a value.
    EXPECT_THROW(AnswerValue(""), std::invalid_argument);
    EXPECT_THROW(AnswerValue("全く"), std::invalid_argument);
}

}  // namespace
}  // namespace tomira
