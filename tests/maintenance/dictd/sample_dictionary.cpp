#include "sample_dictionary.h"

namespace sample_dictionary {

std::vector<dictd_fixture::Entry> entries()
{
    return {
        {QStringLiteral("00databaseinfo"), QStringLiteral("00-database-info\nPróba szótár\n")},
        {QStringLiteral("apple"), QStringLiteral("Apple /ˈapəl/\n1. alma\n2. ALMA\n3. almafa\n")},
        // An empty translation, then the same headword again in a second entry.
        {QStringLiteral("bank"), QStringLiteral("bank /bˈaŋk/\n1. part\n2.\n")},
        {QStringLiteral("bank"), QStringLiteral("bank /bˈaŋk/\n1. pad\n2. Part\n")},
        // Latin-1 damage: û for ű, ô for ő.
        {QStringLiteral("fire"), QStringLiteral("fire /fˈaɪə/\n1. tûz\n2. TÛZ\n3. tüzel\n")},
        {QStringLiteral("forest"), QStringLiteral("forest /fˈɒɹɪst/\nerdô\n")},
        // Longer than the field; equal once cut.
        {QStringLiteral("law"),
         QStringLiteral("law /lˈɔː/\n1. jogoktól való megfosztást kimondó törvényjavaslat "
                        "szövege\n2. jogoktól való megfosztást kimondó törvényjavaslat "
                        "indoklása\n")},
        // English keeps its ô.
        {QStringLiteral("role"), QStringLiteral("rôle /ɹˈəʊl/\nszerep\n")},
        {QStringLiteral("to walk"),
         QStringLiteral("to walk /tˈuː wˈɔːk/\n1. sétál\n2. gyalogol\n")},
        // Equal only after lower-casing Ä, which LowerHungarian keeps.
        {QStringLiteral("arger"), QStringLiteral("Ärger /ˈɛɐɡɐ/\nbosszúság\n")},
        {QStringLiteral("arger"), QStringLiteral("ärger\nBosszúság\n")},
        {QStringLiteral("ghost"), QStringLiteral("ghost /ɡˈəʊst/\n")},
        // A blank headword line: the index's headword stands in.
        {QStringLiteral("ures"), QStringLiteral(" /ˈuː/\nsemmi\n")},
        {QStringLiteral("00databaseurl"), QStringLiteral("unknown\n")},
        {QStringLiteral("zebra"), QStringLiteral("zebra /zˈɛbɹə/\nzebra\n")},
    };
}

std::vector<Pair> expectedRows()
{
    const auto pair = [](const char16_t *a, const char16_t *b) {
        return Pair{QString::fromUtf16(a), QString::fromUtf16(b)};
    };
    return {
        pair(u"apple", u"alma"),
        pair(u"apple", u"almafa"),
        pair(u"bank", u"part"),
        pair(u"bank", u"pad"),
        pair(u"fire", u"tűz"),
        pair(u"fire", u"tüzel"),
        pair(u"forest", u"erdő"),
        pair(u"law", u"jogoktól való megfosztást kimondó törvényjavaslat"),
        pair(u"rôle", u"szerep"),
        pair(u"to walk", u"sétál"),
        pair(u"to walk", u"gyalogol"),
        pair(u"Ärger", u"bosszúság"),
        pair(u"ures", u"semmi"),
        pair(u"zebra", u"zebra"),
    };
}

} // namespace sample_dictionary
