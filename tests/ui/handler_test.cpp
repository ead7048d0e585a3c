#include "store/failure.h"
#include "store/record.h"
#include "support/scripted_dialogs.h"
#include "ui/handler.h"

#include <gtest/gtest.h>

namespace {

TEST(Handler, FailureEndsTheHandlerAndShowsItsTextWithAFullStop)
{
    ScriptedDialogs dialogs;
    bool after = false;
    int before = 0;
    runHandler(dialogs, [&] {
        before = 1;
        StrToInt("abc");
        after = true;
    });
    EXPECT_EQ(before, 1);
    EXPECT_FALSE(after);
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_EQ(dialogs.errors()[0], QStringLiteral("'abc' は整数ではありません."));

    runHandler(dialogs, [&] { after = true; });
    EXPECT_TRUE(after);
    EXPECT_EQ(dialogs.errors().size(), 1u);
}

} // namespace
