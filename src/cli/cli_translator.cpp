#include "cli/cli_translator.h"

#include <cstring>

namespace cli {

QString CliTranslator::translate(const char *context, const char *sourceText,
                                 const char * /*disambiguation*/, int /*n*/) const
{
    if (!context || !sourceText || std::strcmp(context, "QCommandLineParser") != 0)
        return QString();
    struct Pair {
        const char *english;
        const char16_t *hungarian;
    };
    static constexpr Pair kTexts[] = {
        {"Usage: %1", u"Használat: %1"},
        {"[options]", u"[kapcsolók]"},
        {"Options:", u"Kapcsolók:"},
        {"Arguments:", u"Argumentumok:"},
        {"Unknown option '%1'.", u"Ismeretlen kapcsoló: „%1”."},
        {"Unknown options: %1.", u"Ismeretlen kapcsolók: %1."},
        {"Missing value after '%1'.", u"Hiányzik az érték a(z) „%1” után."},
        {"Unexpected value after '%1'.", u"Váratlan érték a(z) „%1” után."},
        {"Displays help on commandline options.", u"A súgó kiírása."},
        {"Displays version information.", u"A változat kiírása."},
    };
    for (const Pair &pair : kTexts) {
        if (std::strcmp(pair.english, sourceText) == 0)
            return QString::fromUtf16(pair.hungarian);
    }
    return QString();
}

} // namespace cli
