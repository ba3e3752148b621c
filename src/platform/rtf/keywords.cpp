#include "platform/rtf/keywords.h"

#include <algorithm>
#include <array>

namespace rtf {
namespace {

struct Entry {
    std::string_view name;
    Keyword keyword;
};

// Sorted by name for the binary search below.
constexpr std::array kEntries = std::to_array<Entry>({
    {"aftncn", Keyword::SkipDestination},
    {"aftnsep", Keyword::SkipDestination},
    {"aftnsepc", Keyword::SkipDestination},
    {"annotation", Keyword::SkipDestination},
    {"ansi", Keyword::Ansi},
    {"ansicpg", Keyword::AnsiCodePage},
    {"author", Keyword::SkipDestination},
    {"b", Keyword::Bold},
    {"bin", Keyword::Binary},
    {"blue", Keyword::Blue},
    {"bullet", Keyword::BulletChar},
    {"cell", Keyword::Cell},
    {"cf", Keyword::Colour},
    {"colortbl", Keyword::ColourTable},
    {"comment", Keyword::SkipDestination},
    {"cpg", Keyword::FontCodePage},
    {"deff", Keyword::DefaultFont},
    {"do", Keyword::SkipDestination},
    {"doccomm", Keyword::SkipDestination},
    {"emdash", Keyword::EmDash},
    {"emspace", Keyword::EmSpace},
    {"endash", Keyword::EnDash},
    {"enspace", Keyword::EnSpace},
    {"f", Keyword::Font},
    {"fcharset", Keyword::FontCharset},
    {"fi", Keyword::FirstIndent},
    {"field", Keyword::Field},
    {"fldinst", Keyword::SkipDestination},
    {"fldrslt", Keyword::FieldResult},
    {"fmodern", Keyword::FontModern},
    {"fonttbl", Keyword::FontTable},
    {"footer", Keyword::SkipDestination},
    {"footerf", Keyword::SkipDestination},
    {"footerl", Keyword::SkipDestination},
    {"footerr", Keyword::SkipDestination},
    {"footnote", Keyword::SkipDestination},
    {"fprq", Keyword::FontPitch},
    {"fs", Keyword::FontSize},
    {"ftncn", Keyword::SkipDestination},
    {"ftnsep", Keyword::SkipDestination},
    {"ftnsepc", Keyword::SkipDestination},
    {"green", Keyword::Green},
    {"header", Keyword::SkipDestination},
    {"headerf", Keyword::SkipDestination},
    {"headerl", Keyword::SkipDestination},
    {"headerr", Keyword::SkipDestination},
    {"i", Keyword::Italic},
    {"ilvl", Keyword::ListLevelIndex},
    {"info", Keyword::SkipDestination},
    {"keywords", Keyword::SkipDestination},
    {"ldblquote", Keyword::LeftDoubleQuote},
    {"levelnfc", Keyword::LevelNumberFormat},
    {"levelnfcn", Keyword::LevelNumberFormat},
    {"levelnumbers", Keyword::SkipDestination},
    {"leveltext", Keyword::SkipDestination},
    {"li", Keyword::LeftIndent},
    {"line", Keyword::Line},
    {"list", Keyword::List},
    {"listid", Keyword::ListId},
    {"listlevel", Keyword::ListLevel},
    {"listname", Keyword::SkipDestination},
    {"listoverride", Keyword::ListOverride},
    {"listoverridetable", Keyword::ListOverrideTable},
    {"listtable", Keyword::ListTable},
    {"listtext", Keyword::SkipDestination},
    {"lquote", Keyword::LeftQuote},
    {"ls", Keyword::ListOverrideIndex},
    {"mac", Keyword::Mac},
    {"nestcell", Keyword::Cell},
    {"nonshppict", Keyword::SkipDestination},
    {"object", Keyword::SkipDestination},
    {"operator", Keyword::SkipDestination},
    {"page", Keyword::Par},
    {"par", Keyword::Par},
    {"pard", Keyword::ParagraphDefault},
    {"pc", Keyword::Pc},
    {"pca", Keyword::Pca},
    {"pict", Keyword::SkipDestination},
    {"plain", Keyword::Plain},
    {"pn", Keyword::Pn},
    {"pndec", Keyword::PnDecimal},
    {"pnlcltr", Keyword::PnLowerLetter},
    {"pnlcrm", Keyword::PnLowerRoman},
    {"pnlvlblt", Keyword::PnBullet},
    {"pnlvlbody", Keyword::PnBody},
    {"pnlvlcont", Keyword::PnContinue},
    {"pntext", Keyword::SkipDestination},
    {"pntxta", Keyword::SkipDestination},
    {"pntxtb", Keyword::SkipDestination},
    {"pnucltr", Keyword::PnUpperLetter},
    {"pnucrm", Keyword::PnUpperRoman},
    {"qc", Keyword::AlignCentre},
    {"qj", Keyword::AlignJustify},
    {"ql", Keyword::AlignLeft},
    {"qr", Keyword::AlignRight},
    {"rdblquote", Keyword::RightDoubleQuote},
    {"red", Keyword::Red},
    {"ri", Keyword::RightIndent},
    {"row", Keyword::Par},
    {"rquote", Keyword::RightQuote},
    {"rtf", Keyword::Rtf},
    {"rxe", Keyword::SkipDestination},
    {"sect", Keyword::Par},
    {"shp", Keyword::SkipDestination},
    {"shppict", Keyword::SkipDestination},
    {"strike", Keyword::Strike},
    {"striked", Keyword::Strike},
    {"stylesheet", Keyword::SkipDestination},
    {"subject", Keyword::SkipDestination},
    {"tab", Keyword::Tab},
    {"tc", Keyword::SkipDestination},
    {"title", Keyword::SkipDestination},
    {"tqc", Keyword::TabCentre},
    {"tqdec", Keyword::TabDecimal},
    {"tqr", Keyword::TabRight},
    {"tx", Keyword::TabPosition},
    {"txe", Keyword::SkipDestination},
    {"u", Keyword::Unicode},
    {"uc", Keyword::UnicodeSkip},
    {"ul", Keyword::Underline},
    {"uld", Keyword::Underline},
    {"uldash", Keyword::Underline},
    {"uldashd", Keyword::Underline},
    {"uldashdd", Keyword::Underline},
    {"uldb", Keyword::Underline},
    {"ulhwave", Keyword::Underline},
    {"ulldash", Keyword::Underline},
    {"ulnone", Keyword::UnderlineNone},
    {"ulth", Keyword::Underline},
    {"ulthd", Keyword::Underline},
    {"ulthdash", Keyword::Underline},
    {"ulthdashd", Keyword::Underline},
    {"ulthdashdd", Keyword::Underline},
    {"ulthldash", Keyword::Underline},
    {"ululdbwave", Keyword::Underline},
    {"ulw", Keyword::Underline},
    {"ulwave", Keyword::Underline},
    {"v", Keyword::Hidden},
    {"xe", Keyword::SkipDestination},
});

constexpr bool isSorted()
{
    for (std::size_t i = 1; i < kEntries.size(); ++i) {
        if (!(kEntries[i - 1].name < kEntries[i].name))
            return false;
    }
    return true;
}
static_assert(isSorted(), "control words must stay sorted");

} // namespace

Keyword keywordFor(std::string_view name)
{
    const auto it = std::lower_bound(kEntries.begin(), kEntries.end(), name,
                                     [](const Entry &e, std::string_view n) { return e.name < n; });
    return it != kEntries.end() && it->name == name ? it->keyword : Keyword::Unknown;
}

} // namespace rtf
