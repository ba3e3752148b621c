// Faults in exchanging documents with word processors and converters, each
// with the smallest stream that showed it.
#include "platform/rtf/rtf.h"
#include "rtftestsupport.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// Level 0 bullets with level 1 numbers, all items of one list.
constexpr const char *kNestedList =
    R"({\rtf1\ansi{\*\listtable{\list\listtemplateid1)"
    R"({\listlevel\levelnfc23{\leveltext\'01\u8226 ?;}{\levelnumbers;}\fi-360\li720})"
    R"({\listlevel\levelnfc0{\leveltext\'02\'01.;}{\levelnumbers\'01;}\fi-360\li1440}\listid7}})"
    R"({\*\listoverridetable{\listoverride\listid7\listoverridecount0\ls1}})"
    R"(\pard\ls1\ilvl0\li720 a\par\pard\ls1\ilvl1\li1440 b\par\pard\ls1\ilvl0\li720 c\par})";

struct ListShape {
    QString text;
    int style; // QTextListFormat::Style, 0 for none
    int indent;
    int list; // which list, counted from 1 in order of appearance; 0 for none
};

bool operator==(const ListShape &a, const ListShape &b)
{
    return a.text == b.text && a.style == b.style && a.indent == b.indent && a.list == b.list;
}

void PrintTo(const ListShape &s, std::ostream *os)
{
    *os << s.text.toStdString() << " style " << s.style << " indent " << s.indent << " list "
        << s.list;
}

QList<ListShape> listShapes(const QTextDocument &doc)
{
    QList<const QTextList *> seen;
    QList<ListShape> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextList *l = b.textList();
        if (l && !seen.contains(l))
            seen.append(l);
        out.append({b.text(), l ? int(l->format().style()) : 0, l ? l->format().indent() : 0,
                    l ? int(seen.indexOf(l)) + 1 : 0});
    }
    return out;
}

QByteArray rewritten(QByteArrayView rtfText, QTextDocument &doc)
{
    EXPECT_TRUE(rtf::read(rtfText, doc));
    return rtf::write(doc);
}

TEST(WriterLostListLevelsAndListIdentity, NestedListsComeBackAsTheyWere)
{
    QTextDocument first;
    const QByteArray written = rewritten(kNestedList, first);
    const QList<ListShape> expected = {{u"a"_s, QTextListFormat::ListDisc, 1, 1},
                                       {u"b"_s, QTextListFormat::ListDecimal, 2, 2},
                                       {u"c"_s, QTextListFormat::ListDisc, 1, 1}};
    ASSERT_EQ(listShapes(first), expected);

    QTextDocument second;
    const QByteArray again = rewritten(written, second);
    EXPECT_EQ(listShapes(second), expected) << written.toStdString();
    EXPECT_EQ(again, written);
}

TEST(WriterLostListLevelsAndListIdentity, OneListTableEntryPerListAndLevelsByIlvl)
{
    QTextDocument doc;
    const QByteArray written = rewritten(kNestedList, doc);
    EXPECT_EQ(written.count("{\\list\\"), 1) << written.toStdString();
    EXPECT_TRUE(written.contains("{\\listoverride\\listid1\\listoverridecount0\\ls1}"));
    EXPECT_EQ(written.count("\\ls1\\ilvl0"), 2);
    EXPECT_EQ(written.count("\\ls1\\ilvl1"), 1);
    // Level 0 bullets, level 1 numbers, in the definition.
    EXPECT_TRUE(written.contains("{\\listlevel\\levelnfc23"));
    EXPECT_TRUE(written.contains("{\\listlevel\\levelnfc0\\levelnfcn0"));
    // Old readers still get their marks and \pn groups.
    EXPECT_TRUE(written.contains("{\\*\\pn\\pnlvlblt"));
    EXPECT_TRUE(written.contains("{\\pntext"));
}

TEST(WriterLostListLevelsAndListIdentity, SeparateListsKeepTheirOwnNumbers)
{
    const QByteArray three =
        R"({\rtf1{\*\pn\pnlvlbody\pndec}a\par b\par\pard x\par{\*\pn\pnlvlbody\pndec}c\par)"
        R"(\pard y\par{\*\pn\pnlvlbody\pndec}d\par e\par})";
    QTextDocument first;
    const QByteArray written = rewritten(three, first);
    EXPECT_EQ(written.count("{\\listoverride\\"), 3) << written.toStdString();
    QTextDocument second;
    ASSERT_TRUE(rtf::read(written, second));
    const QList<ListShape> shapes = listShapes(second);
    ASSERT_EQ(shapes.size(), 7);
    EXPECT_EQ(shapes[0].list, 1);
    EXPECT_EQ(shapes[1].list, 1);
    EXPECT_EQ(shapes[3].list, 2);
    EXPECT_EQ(shapes[5].list, 3);
    EXPECT_EQ(second.findBlockByNumber(6).textList()->itemText(second.findBlockByNumber(6)),
              u"2."_s);
}

TEST(WriterLostListLevelsAndListIdentity, OldStyleOutlineLevelsAreRead)
{
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(
        R"({\rtf1{\*\pn\pnlvl1\pndec}a\par{\*\pn\pnlvl2\pnlcltr}b\par{\*\pn\pnlvl1\pndec}c\par})",
        doc));
    const QList<ListShape> expected = {{u"a"_s, QTextListFormat::ListDecimal, 1, 1},
                                       {u"b"_s, QTextListFormat::ListLowerAlpha, 2, 2},
                                       {u"c"_s, QTextListFormat::ListDecimal, 1, 1}};
    EXPECT_EQ(listShapes(doc), expected);
}

// The way converters write table cells: each cell's text is a paragraph of its own.
TEST(TableCellParagraphsSplitTheRow, OneParagraphPerRow)
{
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(
        R"({\rtf1\trowd\cellx2000\cellx4000 \intbl{\pard\intbl A\par}\cell{\pard\intbl\qr B\par}\cell\row})",
        doc));
    EXPECT_EQ(rtftest::paragraphs(doc), QStringList{u"A\tB"_s});
}

struct RowCase {
    const char *name;
    const char *rtf;
    const char16_t *paragraphs; // joined with '|'
    Qt::Alignment firstAlignment;
};

void PrintTo(const RowCase &c, std::ostream *os)
{
    *os << c.name;
}

class TableRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(TableRows, EndWithoutATabAndKeepNoCellsAlignment)
{
    const RowCase c = GetParam();
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(c.rtf, doc));
    EXPECT_EQ(rtftest::paragraphs(doc).join(u'|'), QString::fromUtf16(c.paragraphs));
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, c.firstAlignment);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, TableRows,
    ::testing::Values(
        RowCase{
            "word processor row",
            R"({\rtf1\trowd\cellx1\cellx2\pard\intbl N\'e9v\cell\pard\intbl\qr \'c9rt\'e9k\cell\row\pard x\par})",
            u"Név\tÉrték|x", Qt::AlignLeft},
        RowCase{"all cells centred", R"({\rtf1\trowd\pard\intbl\qc a\cell b\cell\row})", u"a\tb",
                Qt::AlignHCenter},
        RowCase{"empty cells inside keep their tabs",
                R"({\rtf1\trowd\pard\intbl\cell a\cell\cell b\cell\cell\row})", u"\ta\t\tb",
                Qt::AlignLeft},
        RowCase{"two paragraphs in one cell",
                R"({\rtf1\trowd\pard\intbl{\pard\intbl a\par}{\pard\intbl b\par}\cell c\cell\row})",
                u"a\u2028b\tc", Qt::AlignLeft},
        RowCase{"two rows", R"({\rtf1\trowd\pard\intbl a\cell b\cell\row\trowd\intbl c\cell\row})",
                u"a\tb|c", Qt::AlignLeft},
        RowCase{
            "cell paragraphs without intbl, as converters write them",
            R"({\rtf1{\trowd\cellx1\cellx2\intbl{\pard\ql a\par}\cell{\pard\qr b\par}\cell\intbl\row}after\par})",
            u"a\tb|after", Qt::AlignLeft},
        RowCase{"row without its end keeps its text",
                R"({\rtf1\trowd\pard\intbl a\cell b\cell\pard after\par})", u"a\tb\tafter",
                Qt::AlignLeft}),
    [](const auto &info) {
        std::string name = info.param.name;
        for (char &ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(FootnoteReferenceMarksVanish, TheMarkStaysAsSuperscriptNumber)
{
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(
        R"({\rtf1 Footnote ref{\super\chftn}{\*\footnote\chftn\pard footnote body\par} continues.)"
        R"( Again{\super\chftn}{\*\footnote\chftn\pard second\par}.})",
        doc));
    EXPECT_EQ(rtftest::paragraphs(doc), QStringList{u"Footnote ref1 continues. Again2."_s});
    EXPECT_EQ(rtftest::formatOf(doc, 0, u"1"_s).verticalAlignment(),
              QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(rtftest::formatOf(doc, 0, u" continues"_s).verticalAlignment(),
              QTextCharFormat::AlignNormal);
}

TEST(SpacingAndScriptsWereDropped, AreReadAndWrittenBack)
{
    QTextDocument first;
    const QByteArray written = rewritten(
        R"({\rtf1\sb240\sa120 H{\sub 2}O x{\super 2}\nosupersub  y\par\pard z\par})", first);
    EXPECT_TRUE(written.contains("\\sb240\\sa120")) << written.toStdString();
    EXPECT_TRUE(written.contains("\\sub 2")) << written.toStdString();
    EXPECT_TRUE(written.contains("\\super 2")) << written.toStdString();
    QTextDocument second;
    ASSERT_TRUE(rtf::read(written, second));
    const QTextBlockFormat f = second.begin().blockFormat();
    // 12 and 6 points in pixels, 96 to the inch.
    EXPECT_DOUBLE_EQ(f.topMargin(), 16);
    EXPECT_DOUBLE_EQ(f.bottomMargin(), 8);
    EXPECT_DOUBLE_EQ(second.findBlockByNumber(1).blockFormat().topMargin(), 0);
    EXPECT_EQ(rtftest::formatOf(second, 0, u"2O"_s).verticalAlignment(),
              QTextCharFormat::AlignSubScript);
    EXPECT_EQ(rtftest::formatOf(second, 0, u"2 "_s).verticalAlignment(),
              QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(rtftest::formatOf(second, 0, u"y"_s).verticalAlignment(),
              QTextCharFormat::AlignNormal);
}

} // namespace
