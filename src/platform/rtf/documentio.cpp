#include "platform/rtf/documentio.h"

#include "platform/rtf/plaintext.h"
#include "platform/rtf/rtf.h"

#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

#include <memory>
#include <optional>

namespace documentio {
namespace {

QString openError(const QString &path)
{
    return QStringLiteral("Nem sikerült megnyitni a fájlt:\n") + QDir::toNativeSeparators(path);
}

QString tooLarge(const QString &path)
{
    return QStringLiteral("A fájl túl nagy, nem nyitható meg:\n") + QDir::toNativeSeparators(path);
}

QString saveError(const QString &path)
{
    return QStringLiteral("Nem sikerült menteni a fájlt:\n") + QDir::toNativeSeparators(path);
}

platform::Status writeFile(const QString &path, const QByteArray &bytes,
                           const platform::FileAccess &files)
{
    // Replacing a device or a pipe would hang or swap the device node for a
    // file; a folder fails by itself with the common message.
    if (!QFileInfo(path).isDir()) {
        if (const QString special = platform::notRegularFileMessage(path); !special.isEmpty())
            return platform::Failure{special};
    }
    const std::unique_ptr<QIODevice> device = files.openForReplacing(path);
    if (!device->isOpen())
        return platform::Failure{saveError(path)};
    if (device->write(bytes) != bytes.size()) {
        files.discard(*device);
        return platform::Failure{saveError(path)};
    }
    if (!files.commit(*device))
        return platform::Failure{saveError(path)};
    return platform::Done{};
}

} // namespace

bool isRtfName(const QString &path)
{
    return path.endsWith(u".rtf", Qt::CaseInsensitive);
}

platform::Status loadDocument(const QString &path, QTextDocument &doc, FileFormat *format,
                              const platform::FileAccess &files)
{
    // A device never ends and a pipe blocks: look before opening.
    if (const QString special = platform::notRegularFileMessage(path); !special.isEmpty())
        return platform::Failure{special};
    const std::unique_ptr<QIODevice> device = files.openForReading(path);
    if (!device->isOpen())
        return platform::Failure{openError(path)};
    if (!device->isSequential() && device->size() > kMaxFileSize)
        return platform::Failure{tooLarge(path)};
    std::optional<QByteArray> read = platform::readAtMost(*device, kMaxFileSize);
    if (!read)
        return platform::Failure{openError(path)};
    if (read->size() > kMaxFileSize)
        return platform::Failure{tooLarge(path)};
    const QByteArray &bytes = *read;

    if (rtf::read(bytes, doc)) {
        plaintext::forgetEncoding(doc);
        if (format)
            *format = FileFormat::Rtf;
    } else {
        // The file's bytes go before the document takes its copy of the text.
        const platform::TextEncoding encoding = plaintext::detect(bytes);
        const QString text = plaintext::decode(bytes, encoding);
        read.reset();
        plaintext::setText(doc, text, encoding);
        if (format)
            *format = FileFormat::PlainText;
    }
    return platform::Done{};
}

platform::Status saveRtf(const QString &path, const QTextDocument &doc,
                         const platform::FileAccess &files)
{
    return writeFile(path, rtf::write(doc), files);
}

platform::Status savePlainText(const QString &path, const QTextDocument &doc,
                               const platform::FileAccess &files)
{
    return writeFile(path, plaintext::encodeToSave(doc), files);
}

void startNewDocument(QTextDocument &doc)
{
    plaintext::forgetEncoding(doc);
}

platform::Status saveDocument(const QString &path, const QTextDocument &doc,
                              const platform::FileAccess &files)
{
    return isRtfName(path) ? saveRtf(path, doc, files) : savePlainText(path, doc, files);
}

} // namespace documentio
