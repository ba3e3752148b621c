#include "maintenance/dictd/index_reader.h"

#include "maintenance/dictd/dictd_base64.h"

#include <QFile>
#include <QStringDecoder>

namespace dictd {
namespace {

// A dictd index of even the largest dictionaries stays far below this.
constexpr qint64 kMaxIndexBytes = qint64(512) * 1024 * 1024;

Failure lineFailure(const QString &sourceName, int line, const QString &what)
{
    return Failure{QStringLiteral("Sérült indexállomány: %1, %2. sor: %3")
                       .arg(sourceName)
                       .arg(line)
                       .arg(what)};
}

// A field as shown in a message: at most a few characters of it.
QString shown(QByteArrayView field)
{
    constexpr qsizetype kShown = 24;
    if (field.size() <= kShown)
        return QString::fromLatin1(field);
    return QString::fromLatin1(field.first(kShown)) + u'…';
}

} // namespace

Status forEachIndexEntry(QByteArrayView bytes, const QString &sourceName,
                         const std::function<void(IndexEntry &&)> &take)
{
    int lineNo = 0;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;

        const qsizetype tab1 = line.indexOf('\t');
        const qsizetype tab2 = tab1 < 0 ? -1 : line.indexOf('\t', tab1 + 1);
        if (tab2 < 0)
            return lineFailure(sourceName, lineNo,
                               QStringLiteral("nem „címszó, kezdet, hossz” alakú, "
                                              "tabulátorral elválasztott sor"));
        qsizetype tab3 = line.indexOf('\t', tab2 + 1);
        if (tab3 < 0)
            tab3 = line.size();
        else if (line.indexOf('\t', tab3 + 1) >= 0)
            return lineFailure(sourceName, lineNo, QStringLiteral("négynél több mező"));

        const QByteArrayView offsetText = line.sliced(tab1 + 1, tab2 - tab1 - 1);
        const QByteArrayView lengthText = line.sliced(tab2 + 1, tab3 - tab2 - 1);
        const auto offset = decodeIndexNumber(offsetText);
        if (!offset)
            return lineFailure(sourceName, lineNo,
                               QStringLiteral("érvénytelen kezdőcím: „%1”").arg(shown(offsetText)));
        const auto length = decodeIndexNumber(lengthText);
        if (!length)
            return lineFailure(sourceName, lineNo,
                               QStringLiteral("érvénytelen hossz: „%1”").arg(shown(lengthText)));

        QStringDecoder utf8(QStringDecoder::Utf8);
        QString headword = utf8(line.first(tab1));
        if (utf8.hasError())
            return lineFailure(sourceName, lineNo,
                               QStringLiteral("a címszó nem érvényes UTF-8 szöveg"));
        take(IndexEntry{std::move(headword), *offset, *length, lineNo});
    }
    return Done{};
}

Result<std::vector<IndexEntry>> parseIndex(QByteArrayView bytes, const QString &sourceName)
{
    std::vector<IndexEntry> entries;
    const Status parsed = forEachIndexEntry(
        bytes, sourceName, [&](IndexEntry &&entry) { entries.push_back(std::move(entry)); });
    if (!parsed)
        return parsed.failure();
    return entries;
}

Status readIndexFile(const QString &path, const std::function<void(IndexEntry &&)> &take)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Az indexállomány nem nyitható meg: %1 (%2)")
                           .arg(path, file.errorString())};
    if (file.size() > kMaxIndexBytes)
        return Failure{QStringLiteral("Az indexállomány túl nagy: %1").arg(path)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("Az indexállomány nem olvasható: %1 (%2)")
                           .arg(path, file.errorString())};
    bool any = false;
    const Status parsed = forEachIndexEntry(bytes, path, [&](IndexEntry &&entry) {
        any = true;
        take(std::move(entry));
    });
    if (!parsed)
        return parsed;
    if (!any)
        return Failure{QStringLiteral("Az indexállomány üres: %1").arg(path)};
    return Done{};
}

Result<std::vector<IndexEntry>> readIndexFile(const QString &path)
{
    std::vector<IndexEntry> entries;
    const Status read =
        readIndexFile(path, [&](IndexEntry &&entry) { entries.push_back(std::move(entry)); });
    if (!read)
        return read.failure();
    return entries;
}

} // namespace dictd
