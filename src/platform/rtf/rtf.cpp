#include "platform/rtf/rtf.h"

#include "platform/rtf/reader.h"
#include "platform/rtf/writer.h"

namespace rtf {

bool looksLikeRtf(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' ||
                                bytes[i] == '\n' || bytes[i] == '\f' || bytes[i] == '\v'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

bool read(QByteArrayView bytes, QTextDocument &doc)
{
    if (!looksLikeRtf(bytes))
        return false;
    Reader reader(bytes, doc);
    reader.run();
    return true;
}

QByteArray write(const QTextDocument &doc)
{
    return Writer(doc).write();
}

} // namespace rtf
