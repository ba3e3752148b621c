#include "editor/richtextpane.h"

#include <QImage>
#include <QTextDocument>
#include <QUrl>

namespace {

// "data:[<type>][;base64],<payload>"; an empty array when it is not one.
QByteArray dataUrlPayload(const QUrl &url)
{
    const QByteArray text = url.toEncoded();
    const qsizetype comma = text.indexOf(',');
    if (comma < 0)
        return {};
    const QByteArray header = text.mid(5, comma - 5);
    const QByteArray payload = QByteArray::fromPercentEncoding(text.mid(comma + 1));
    return header.endsWith(";base64") ? QByteArray::fromBase64(payload) : payload;
}

} // namespace

RichTextPane::RichTextPane(QWidget *parent) : QTextEdit(parent) {}

QVariant RichTextPane::loadResource(int type, const QUrl &name)
{
    if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("data")) {
        const QImage image = QImage::fromData(dataUrlPayload(name));
        if (!image.isNull())
            return image;
    }
    // Not null, so that the document does not read the source itself.
    if (type == QTextDocument::ImageResource)
        return QImage();
    return QByteArray();
}
