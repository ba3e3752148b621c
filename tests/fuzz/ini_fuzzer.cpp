// libFuzzer entry for the settings file: any bytes read as a document, every
// key found read back, one key written, and the result read again.
#include "platform/ini/inidocument.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    IniDocument document = IniDocument::fromBytes(bytes);
    // What the program reads at start-up, and a name from the input itself.
    (void)document.readInteger(u"FoAblak", u"Bal", 100);
    (void)document.readBool(u"Beallitasok", u"Jobbgomb", false);
    (void)document.readString(u"Dok", u"DokNev", QStringLiteral("alap"));
    const QString text = QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 16)));
    (void)document.value(text, text);

    // Our own writes must leave a document that reads back the same.
    if (document.writeString(u"Dok", u"DokNev", QStringLiteral("C:\\a b\\Mese.RTF")).ok()) {
        const IniDocument again = IniDocument::fromBytes(document.toBytes());
        if (again.readString(u"Dok", u"DokNev", QString()) != QStringLiteral("C:\\a b\\Mese.RTF"))
            __builtin_trap();
    }
    return 0;
}
