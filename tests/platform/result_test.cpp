#include "platform/result.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Result, SuccessCarriesTheValueAndNoMessage)
{
    const platform::Result<int> found = 42;
    ASSERT_TRUE(found.ok());
    EXPECT_TRUE(bool(found));
    EXPECT_EQ(*found, 42);
    EXPECT_TRUE(found.error().isEmpty());

    const platform::Status done = platform::Done{};
    EXPECT_TRUE(done.ok());
    EXPECT_TRUE(done.error().isEmpty());
}

TEST(Result, FailureCarriesItsMessageAndAlwaysSaysSomething)
{
    const platform::Status failed = platform::Failure{u"A fájl nem írható."_s};
    EXPECT_FALSE(failed.ok());
    EXPECT_FALSE(bool(failed));
    EXPECT_EQ(failed.error(), u"A fájl nem írható."_s);
    EXPECT_EQ(failed.failure().message, u"A fájl nem írható."_s);

    // Passed on to a result of another value, the message stays.
    const platform::Result<QString> passedOn = failed.failure();
    EXPECT_EQ(passedOn.error(), u"A fájl nem írható."_s);

    const platform::Result<int> silent = platform::Failure{};
    EXPECT_FALSE(silent.ok());
    EXPECT_FALSE(silent.error().isEmpty());
}

} // namespace
