#include "editor/documentnames.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char *input;
    int filter;
    const char *expected;
};

void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.input, c.filter, c.expected);
}

QString q(const char *s)
{
    return QString::fromUtf8(s);
}

class SavedNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SavedNameTest, FixesTheExtensionByType)
{
    EXPECT_EQ(SavedName(q(GetParam().input), GetParam().filter), q(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, SavedNameTest,
                         ::testing::Values(NameCase{"/d/notes.txt", 1, "/d/notes.txt.rtf"},
                                           NameCase{"/d/notes.RTF", 1, "/d/notes.RTF"},
                                           NameCase{"/d/notes", 1, "/d/notes.rtf"},
                                           NameCase{"/d/notes.RTF", 2, "/d/notes.txt"},
                                           NameCase{"/d/notes.Rtf", 2, "/d/notes.txt"},
                                           NameCase{"/d/notes", 2, "/d/notes"},
                                           NameCase{"/d/notes.doc", 2, "/d/notes.doc"},
                                           NameCase{"/d.rtf/notes", 2, "/d.rtf/notes"}),
                         [](const auto &info) {
                             return velkor_test::caseName(info.param.input, info.param.filter);
                         });

class NameForFileTypeTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameForFileTypeTest, ReplacesOrAddsTheExtension)
{
    EXPECT_EQ(NameForFileType(q(GetParam().input), GetParam().filter), q(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameForFileTypeTest,
    ::testing::Values(NameCase{"notes.txt", 1, "notes.rtf"}, NameCase{"notes.rtf", 2, "notes.txt"},
                      NameCase{"notes", 2, "notes.txt"}, NameCase{"a.b.c", 1, "a.b.rtf"},
                      NameCase{"/dir.x/notes", 1, "/dir.x/notes.rtf"}, NameCase{"", 1, ""},
                      NameCase{"notes.txt", 3, "notes.txt"}),
    [](const auto &info) { return velkor_test::caseName(info.param.input, info.param.filter); });

TEST(DocumentNamesTest, NewNameKeepsTheDirectory)
{
    EXPECT_EQ(NewDocumentName(q("/texts/mese.txt"), 1), q("/texts/Dokumentum1"));
    EXPECT_EQ(NewDocumentName(q("mese.txt"), 12), q("Dokumentum12"));
    EXPECT_EQ(NewDocumentName(QString(), 3), q("Dokumentum3"));
    EXPECT_EQ(NewDocumentName(q("/mese.txt"), 2), q("/Dokumentum2"));
}

TEST(DocumentNamesTest, PathParts)
{
    EXPECT_EQ(DirectoryOf(q("/a/b/c.txt")), q("/a/b"));
    EXPECT_EQ(DirectoryOf(q("/c.txt")), q("/"));
    EXPECT_EQ(DirectoryOf(q("c.txt")), QString());
    EXPECT_EQ(FileNamePart(q("/a/b/c.txt")), q("c.txt"));
    EXPECT_EQ(ExtensionOf(q("/a.b/c")), QString());
    EXPECT_EQ(ExtensionOf(q("/a/c.tar.gz")), q(".gz"));
}

TEST(DocumentNamesTest, QuestionsNameTheFileWithoutItsDirectory)
{
    EXPECT_EQ(ModifiedQuestion(q("/x/alma.txt")),
              q("Az alma.txt tartalma megváltozott.\nMented a változásokat?"));
    EXPECT_EQ(ModifiedQuestion(q("Dokumentum1")),
              q("A Dokumentum1 tartalma megváltozott.\nMented a változásokat?"));
    EXPECT_EQ(ModifiedQuestion(q("/x/Űrlap.rtf")),
              q("Az Űrlap.rtf tartalma megváltozott.\nMented a változásokat?"));
    EXPECT_EQ(OverwriteQuestion(q("/x/notes.rtf")),
              q("A fájl már létezik:\nnotes.rtf\nFelülírjam?"));
}

} // namespace
