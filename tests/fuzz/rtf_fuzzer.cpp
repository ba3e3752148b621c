// libFuzzer entry for the RTF reader, and for the writer on what it read.
#include "platform/rtf/plaintext.h"
#include "platform/rtf/rtf.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The documents' fonts need the application object; it lives for the whole run.
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    QTextDocument doc;
    if (!rtf::read(bytes, doc)) {
        // Not RTF by its start: read it as the body of an RTF file anyway.
        rtf::read(QByteArray("{\\rtf1 ") + bytes.toByteArray(), doc);
        (void)plaintext::decode(bytes);
    }
    QTextDocument again;
    rtf::read(rtf::write(doc), again);
    return 0;
}
