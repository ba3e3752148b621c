// The lookup against the step-by-step yardstick on small dictionaries full of
// near misses: every beginning of every entry, inflected and capitalised
// forms, phrases and odd keys give the same lists, headers, colours and
// current row, with the locates that cannot succeed skipped.
#include "lookup_fixture.h"
#include "reference_lookup.h"
#include "support/printers.h"

#include "store/engine/session.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using translator::WordMatch;

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

struct ReferenceCase {
    const char *name;
    std::vector<std::pair<QString, QString>> rows;
    QStringList extraWords;
};

void PrintTo(const ReferenceCase &c, std::ostream *os)
{
    *os << c.name;
}

// Words that probe the passes around every entry.
QStringList wordsAround(const ReferenceCase &c)
{
    QStringList words = c.extraWords;
    words << QString() << QStringLiteral(" ") << QStringLiteral("t") << QStringLiteral("to")
          << QStringLiteral("to ") << QStringLiteral("zzz");
    for (const auto &[source, target] : c.rows) {
        for (qsizetype length = 1; length <= source.size(); ++length)
            words << source.left(length);
        words << source.toUpper() << source + QStringLiteral("s") << source + QStringLiteral("ed")
              << source + QStringLiteral("ing") << source + QStringLiteral(" up")
              << source + QStringLiteral("  x") << QStringLiteral("to ") + source + u'x';
    }
    words.removeDuplicates();
    return words;
}

class AgainstReference : public LookupFixture,
                         public ::testing::WithParamInterface<ReferenceCase> {};

void expectSameList(const translator::TTalalat &fast, const translator::TTalalat &slow,
                    const char *which)
{
    SCOPED_TRACE(which);
    ASSERT_EQ(fast.Count, slow.Count);
    EXPECT_EQ(listLines(fast), listLines(slow));
    if (fast.Count == 0)
        return; // a header without lines is never shown
    EXPECT_EQ(fast.HeadText, slow.HeadText);
    EXPECT_EQ(fast.TailText, slow.TailText);
    if (!slow.HeadText.isEmpty()) {
        EXPECT_EQ(fast.HeadColor, slow.HeadColor);
        EXPECT_EQ(fast.TailColor, slow.TailColor);
    }
}

TEST_P(AgainstReference, EveryWordGivesTheSameResultAndRow)
{
    openWith(GetParam().rows);
    ReferenceLookup reference(*table, *table->findField(QStringLiteral("Angol")),
                              *table->findField(QStringLiteral("Magyar")));
    for (const QString &word : wordsAround(GetParam())) {
        SCOPED_TRACE(velkor_test::describe(word));
        // A lookup that finds nothing leaves the row where it was.
        table->first();
        const WordMatch slow = reference.lookUp(word);
        const auto slowKey = table->currentKey();
        const bool slowEof = table->eof();

        table->first();
        const auto outcome = lookup->LookUpWord(word);
        EXPECT_EQ(outcome.match, slow);
        EXPECT_EQ(table->currentKey(), slowKey);
        EXPECT_EQ(table->eof(), slowEof);
        expectSameList(lookup->ResultLists()[0], reference.lists[0], "list 1");
        expectSameList(lookup->ResultLists()[1], reference.lists[1], "list 2");
    }
}

const QString kFifty = QStringLiteral("abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwx");

INSTANTIATE_TEST_SUITE_P(
    Dictionaries, AgainstReference,
    ::testing::Values(
        ReferenceCase{"VerbsWithTheMarker",
                      {{s(u"to walk"), s(u"sétál")},
                       {s(u"walk"), s(u"séta")},
                       {s(u"walker"), s(u"sétáló")},
                       {s(u"to be"), s(u"lenni")},
                       {s(u"to"), s(u"felé")},
                       {s(u"to give in"), s(u"enged")},
                       {s(u"give"), s(u"ad")},
                       {s(u"give "), s(u"ad (szóközzel)")},
                       {s(u"gift"), s(u"ajándék")},
                       {s(u"to run"), s(u"fut")},
                       {s(u"runner"), s(u"futó")},
                       {s(u"to x"), s(u"ikszel")}},
                      {s(u"walkers"), s(u"giving up"), s(u"to walked"), s(u"bed"), s(u"xy")}},
        ReferenceCase{"DenseShortEntriesAndBlanks",
                      {{s(u"a"), s(u"1")},
                       {s(u"ab"), s(u"2")},
                       {s(u"abc"), s(u"3")},
                       {s(u"abd"), s(u"4")},
                       {s(u"ab "), s(u"5")},
                       {s(u"a  b"), s(u"6")},
                       {s(u"a b"), s(u"7")},
                       {s(u"b"), s(u"8")},
                       {s(u"ba"), s(u"9")},
                       {s(u"to a"), s(u"10")},
                       {s(u"to ab"), s(u"11")},
                       {s(u"ab"), s(u"12")},
                       {s(u"AB"), s(u"13")}},
                      {s(u"abcd"), s(u"ab  c"), s(u"a  bc"), s(u"a   b"), s(u"bab"), s(u"0")}},
        ReferenceCase{"AccentsAndCapitals",
                      {{s(u"eg"), s(u"egy")},
                       {s(u"ég"), s(u"sky")},
                       {s(u"Ég"), s(u"Sky")},
                       {s(u"égő"), s(u"burning")},
                       {s(u"őr"), s(u"guard")},
                       {s(u"ŐRS"), s(u"squad")},
                       {s(u"űr"), s(u"space")},
                       {s(u"ür"), s(u"-")},
                       {s(u"ur"), s(u"lord")},
                       {s(u"Äpfel"), s(u"almák")},
                       {s(u"to égni"), s(u"to burn")}},
                      {s(u"égni"), s(u"égnie"), s(u"őrség"), s(u"ÉGŐK"), s(u"äpfeln")}},
        ReferenceCase{"FieldLongEntries",
                      {{kFifty, s(u"ötven")},
                       {kFifty.left(49), s(u"negyvenkilenc")},
                       {kFifty.left(47), s(u"negyvenhét")},
                       {QStringLiteral("to ") + kFifty.left(47), s(u"jelzős")},
                       {kFifty.left(10), s(u"tíz")}},
                      {kFifty + QStringLiteral("yz"), kFifty.left(48) + QStringLiteral("q"),
                       kFifty.left(46) + QStringLiteral("qq")}},
        ReferenceCase{
            "CharactersBeyondTheBasicPlane",
            {{s(u"a😀b"), s(u"1")}, {s(u"a😀"), s(u"2")}, {s(u"a😁"), s(u"3")}, {s(u"to 😀"), s(u"4")}},
            {s(u"a😀bc"), s(u"a😀😀"), s(u"😀x"), s(u"a😁s")}},
        ReferenceCase{"LongGroupsOfOneSource",
                      {{s(u"set"), s(u"1")},
                       {s(u"set"), s(u"2")},
                       {s(u"Set"), s(u"3")},
                       {s(u"set"), s(u"4")},
                       {s(u"settle"), s(u"5")},
                       {s(u"settle"), s(u"6")},
                       {s(u"set up"), s(u"7")},
                       {s(u"to set"), s(u"8")},
                       {s(u"to set"), s(u"9")}},
                      {s(u"setting up"), s(u"sets up"), s(u"settled")}}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

// The lookup reads through one transaction: it must end with the lookup, or
// the next lookup would not see what another program wrote meanwhile.
TEST_F(LookupFixture, NextLookupSeesRowsAnotherConnectionAdded)
{
    openWith({{QStringLiteral("walk"), QStringLiteral("sétál")}});
    EXPECT_EQ(lookup->LookUpWord(QStringLiteral("walked")).match, WordMatch::Found);
    EXPECT_EQ(lookup->ResultLists()[1].Count, 0);

    store::Session other;
    auto writer = std::make_unique<store::Table>(other);
    velkor_test::bindTable(*writer, path(), {QStringLiteral("Angol"), QStringLiteral("Magyar")});
    writer->open();
    add(*writer, QStringLiteral("walked"), QStringLiteral("sétált"));

    EXPECT_EQ(lookup->LookUpWord(QStringLiteral("walked")).match, WordMatch::Exact);
    EXPECT_EQ(items(0), QStringList{QStringLiteral("sétált")});
    // And the other connection can still write once the lookup is over.
    EXPECT_NO_THROW(add(*writer, QStringLiteral("walking"), QStringLiteral("sétálás")));
}

// Inside a batch of posts the lookup sees the rows posted so far and leaves
// the batch to its owner.
TEST_F(LookupFixture, LookupInsideABatchSeesItsRowsAndKeepsTheBatch)
{
    openWith({{QStringLiteral("walk"), QStringLiteral("sétál")}});
    {
        store::BatchScope batch(*table);
        add(*table, QStringLiteral("walker"), QStringLiteral("sétáló"));
        lookup->LookUpWord(QStringLiteral("walke"));
        EXPECT_EQ(items(1), QStringList{QStringLiteral("sétáló")});
        add(*table, QStringLiteral("walkers"), QStringLiteral("sétálók"));
        batch.commit();
    }
    table->close();
    table->open();
    EXPECT_EQ(lookup->LookUpWord(QStringLiteral("walkers")).match, WordMatch::Exact);
}

} // namespace
