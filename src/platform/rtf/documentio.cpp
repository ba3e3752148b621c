#include "platform/rtf/documentio.h"

#include "platform/rtf/plaintext.h"
#include "platform/rtf/rtf.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace documentio {
namespace {

QString openError(const QString &path)
{
    return QStringLiteral("Nem sikerült megnyitni a fájlt:\n") + QDir::toNativeSeparators(path);
}

QString saveError(const QString &path)
{
    return QStringLiteral("Nem sikerült menteni a fájlt:\n") + QDir::toNativeSeparators(path);
}

IoResult writeFile(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes beside the target and renames only after a complete write.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return IoResult::failure(saveError(path));
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return IoResult::failure(saveError(path));
    }
    if (!file.commit())
        return IoResult::failure(saveError(path));
    return IoResult::success();
}

} // namespace

bool isRtfName(const QString &path)
{
    return path.endsWith(u".rtf", Qt::CaseInsensitive);
}

IoResult loadDocument(const QString &path, QTextDocument &doc, FileFormat *format)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(openError(path));
    if (file.size() > kMaxFileSize)
        return IoResult::failure(QStringLiteral("A fájl túl nagy, nem nyitható meg:\n") +
                                 QDir::toNativeSeparators(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoResult::failure(openError(path));

    if (rtf::read(bytes, doc)) {
        if (format)
            *format = FileFormat::Rtf;
    } else {
        plaintext::read(bytes, doc);
        if (format)
            *format = FileFormat::PlainText;
    }
    return IoResult::success();
}

IoResult saveRtf(const QString &path, const QTextDocument &doc)
{
    return writeFile(path, rtf::write(doc));
}

IoResult savePlainText(const QString &path, const QTextDocument &doc)
{
    return writeFile(path, plaintext::encode(doc));
}

IoResult saveDocument(const QString &path, const QTextDocument &doc)
{
    return isRtfName(path) ? saveRtf(path, doc) : savePlainText(path, doc);
}

} // namespace documentio
