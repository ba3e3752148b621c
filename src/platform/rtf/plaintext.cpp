#include "platform/rtf/plaintext.h"

#include "platform/codepage.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>

namespace plaintext {

QString decode(QByteArrayView bytes)
{
    QString text;
    bool decoded = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8(bytes.sliced(3));
        decoded = !utf8.hasError();
    }
    if (!decoded)
        text = cp1250::decode(bytes);

    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'\r':
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
            out.append(u'\n');
            break;
        case 0x2029: // QTextDocument's paragraph separator
            out.append(u'\n');
            break;
        case 0xfdd0: // frame markers and the object placeholder of QTextDocument
        case 0xfdd1:
        case 0xfffc:
        case 0:
            out.append(QChar::ReplacementCharacter);
            break;
        default:
            out.append(c);
            break;
        }
    }
    // The line end of the last line ends it; it does not start another one.
    if (out.endsWith(u'\n'))
        out.chop(1);
    return out;
}

QByteArray encode(const QTextDocument &doc)
{
    QByteArray out;
    if (doc.blockCount() == 1 && doc.begin().length() <= 1)
        return out; // an empty document is an empty file, not one empty line
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QString line = block.text();
        line.remove(QChar::ObjectReplacementCharacter);
        line.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        out.append(cp1250::encode(line));
        out.append("\r\n");
    }
    return out;
}

void read(QByteArrayView bytes, QTextDocument &doc)
{
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.setPlainText(decode(bytes));
    doc.setUndoRedoEnabled(undo);
    doc.setModified(false);
}

} // namespace plaintext
