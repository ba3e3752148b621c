#include "platform/rtf/plaintext.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QVariant>

namespace plaintext {
namespace {

using platform::TextEncoding;

// The document's own note of the encoding its text was read in.
constexpr char kEncodingProperty[] = "velkorTextEncoding";

// A paragraph as the lines of a plain-text file: pictures are left out.
QString fileLines(const QTextBlock &block)
{
    QString line = block.text();
    line.remove(QChar::ObjectReplacementCharacter);
    line.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return line;
}

// The text a plain-text file holds for doc: every line followed by CR LF.
QString fileText(const QTextDocument &doc)
{
    QString out;
    if (doc.blockCount() == 1 && doc.begin().length() <= 1)
        return out; // an empty document is an empty file, not one empty line
    out.reserve(doc.characterCount() + doc.blockCount());
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        out.append(fileLines(block));
        out.append(u"\r\n");
    }
    return out;
}

} // namespace

TextEncoding detect(QByteArrayView bytes)
{
    return platform::DetectTextEncoding(bytes);
}

QString decode(QByteArrayView bytes)
{
    return decode(bytes, detect(bytes));
}

QString decode(QByteArrayView bytes, TextEncoding encoding)
{
    // Line ends and reserved characters are mended in place: the text of a
    // large file is held once, not twice.
    QString text = platform::DecodeText(bytes, encoding);
    QChar *const data = text.data();
    const qsizetype n = text.size();
    qsizetype out = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = data[i];
        switch (c.unicode()) {
        case u'\r':
            if (i + 1 < n && data[i + 1] == u'\n')
                ++i;
            data[out++] = u'\n';
            break;
        case 0x2029: // QTextDocument's paragraph separator
            data[out++] = u'\n';
            break;
        case 0xfdd0: // frame markers and the object placeholder of QTextDocument
        case 0xfdd1:
        case 0xfffc:
        case 0:
            data[out++] = QChar::ReplacementCharacter;
            break;
        default:
            data[out++] = c;
            break;
        }
    }
    // The line end of the last line ends it; it does not start another one.
    if (out > 0 && data[out - 1] == u'\n')
        --out;
    text.truncate(out);
    return text;
}

QByteArray encode(const QTextDocument &doc, TextEncoding encoding)
{
    const QString text = fileText(doc);
    return text.isEmpty() ? QByteArray() : platform::EncodeText(text, encoding);
}

void read(QByteArrayView bytes, QTextDocument &doc)
{
    const TextEncoding encoding = detect(bytes);
    setText(doc, decode(bytes, encoding), encoding);
}

void setText(QTextDocument &doc, const QString &text, TextEncoding encoding)
{
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.setPlainText(text);
    doc.setUndoRedoEnabled(undo);
    doc.setModified(false);
    doc.setProperty(kEncodingProperty, static_cast<int>(encoding));
}

std::optional<TextEncoding> readEncoding(const QTextDocument &doc)
{
    const QVariant stored = doc.property(kEncodingProperty);
    if (!stored.isValid())
        return std::nullopt;
    return static_cast<TextEncoding>(stored.toInt());
}

void forgetEncoding(QTextDocument &doc)
{
    doc.setProperty(kEncodingProperty, QVariant());
}

QByteArray encodeToSave(const QTextDocument &doc)
{
    const QString text = fileText(doc);
    if (text.isEmpty())
        return {};
    const std::optional<TextEncoding> read = readEncoding(doc);
    const TextEncoding encoding =
        read && *read != TextEncoding::Windows1250 ? *read : platform::EncodingForNewText(text);
    return platform::EncodeText(text, encoding);
}

} // namespace plaintext
