#include "editor/dialogfilters.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogFiltersTest, OpenAndSaveListsInQtForm)
{
    EXPECT_EQ(QtNameFilters(kOpenFilters),
              QStringList({QStringLiteral("Text fájl (*.txt)"),
                           QStringLiteral("Rich Text formátum (*.rtf)"),
                           QStringLiteral("Szöveg fájl (*.txt *.rtf)"),
                           QStringLiteral("Minden fájl (*)")}));
    EXPECT_EQ(QtNameFilters(kSaveFilters),
              QStringList({QStringLiteral("Rich Text formátum (*.rtf)"),
                           QStringLiteral("Csak szöveg (*.txt)")}));
}

TEST(DialogFiltersTest, OddLists)
{
    // A description without patterns shown, blanks, empty patterns, a lone description.
    EXPECT_EQ(QtNameFilters(u"Képek|*.png; *.jpg;|Maradék"),
              QStringList({QStringLiteral("Képek (*.png *.jpg)")}));
    EXPECT_TRUE(QtNameFilters(u"").isEmpty());
}

} // namespace
