#include "editor/richtextpane.h"

#include "editor/lazytextlayout.h"

#include <QImage>
#include <QMimeData>
#include <QTextCursor>
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

RichTextPane::RichTextPane(QWidget *parent) : QTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChange, this, &RichTextPane::chooseLayout);
}

void RichTextPane::chooseLayout()
{
    if (m_switchingLayout)
        return;
    QTextDocument *doc = document();
    const bool lazy = qobject_cast<LazyTextLayout *>(doc->documentLayout()) != nullptr;
    const int size = doc->characterCount();
    bool wanted = lazy;
    if (!lazy && size >= kLazyLayoutFrom)
        wanted = LazyTextLayout::Suits(*doc);
    else if (lazy)
        wanted = size >= kLazyLayoutFrom / 2 && LazyTextLayout::Suits(*doc);
    if (wanted == lazy)
        return;
    m_switchingLayout = true;
    if (wanted) {
        doc->setDocumentLayout(new LazyTextLayout(doc));
    } else {
        doc->setDocumentLayout(nullptr);
        doc->documentLayout(); // Qt's own layout again
    }
    m_switchingLayout = false;
}

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

bool RichTextPane::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasImage() || QTextEdit::canInsertFromMimeData(source);
}

void RichTextPane::insertFromMimeData(const QMimeData *source)
{
    // Rich or plain text comes first: a program that puts both on the
    // clipboard means its text.
    if (source->hasImage() && !source->hasHtml() && !source->hasText()) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        if (!image.isNull()) {
            // The document keeps the picture under a name of its own.
            const QString name = QStringLiteral("beillesztett-kep-%1").arg(++m_pastedImages);
            document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
            textCursor().insertImage(name);
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}
