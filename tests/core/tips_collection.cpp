#include "collection.h"
#include "runtime_error.h"

#include <gtest/gtest.h>

namespace glyphmill {
namespace {

int errorNumberOf(const Collection &collection, std::int32_t index) {
    try {
        collection.Item(index);
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

TEST(TipsCollection, StartsEmptyAndHasNoFirstItem) {
    const Collection tips;
    EXPECT_EQ(tips.Count(), 0);
    EXPECT_EQ(errorNumberOf(tips, 1), error_number::kInvalidCall);
}

TEST(TipsCollection, KeepsItemsInTheOrderAddedFromIndexOne) {
    Collection tips;
    tips.Add(Value(u"first"));
    tips.Add(Value(u""));
    tips.Add(Value(u"third"));
    ASSERT_EQ(tips.Count(), 3);
    EXPECT_EQ(tips.Item(1).text(), u"first");
    EXPECT_EQ(tips.Item(2).text(), u"");
    EXPECT_EQ(tips.Item(3).text(), u"third");
}

TEST(TipsCollection, AddingTheSameTextAgainKeepsBoth) {
    Collection tips;
    tips.Add(Value(u"again"));
    tips.Add(Value(u"again"));
    EXPECT_EQ(tips.Count(), 2);
    EXPECT_EQ(tips.Item(2).text(), u"again");
}

class TipsCollectionOutside : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(TipsCollectionOutside, IndexRaisesInvalidCall) {
    Collection tips;
    tips.Add(Value(u"a"));
    tips.Add(Value(u"b"));
    EXPECT_EQ(errorNumberOf(tips, GetParam()), error_number::kInvalidCall);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, TipsCollectionOutside,
                         ::testing::Values(0, 3, -1, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max()));

} // namespace
} // namespace glyphmill
