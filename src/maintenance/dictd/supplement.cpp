#include "maintenance/dictd/supplement.h"

#include "platform/fileaccess.h"
#include "platform/regularfile.h"

#include <QFile>
#include <QStringDecoder>

namespace dictd {
namespace {

// Hand-made lists hold hundreds of pairs, not millions.
constexpr qint64 kMaxSupplementBytes = qint64(16) << 20;

Failure lineFailure(const QString &path, int line, const QString &what)
{
    return Failure{
        QStringLiteral("Hibás kiegészítő szólista: %1, %2. sor: %3").arg(path).arg(line).arg(what)};
}

} // namespace

Result<std::vector<std::pair<QString, QString>>>
readSupplement(const QString &path, const QString &firstField, const QString &secondField)
{
    const QString notRegular = platform::notRegularFileMessage(path);
    if (!notRegular.isEmpty())
        return Failure{notRegular};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("A kiegészítő szólista nem nyitható meg: %1 (%2)")
                           .arg(path, file.errorString())};
    const std::optional<QByteArray> bytes = platform::readAtMost(file, kMaxSupplementBytes);
    if (!bytes)
        return Failure{QStringLiteral("A kiegészítő szólista nem olvasható: %1 (%2)")
                           .arg(path, file.errorString())};
    if (bytes->size() > kMaxSupplementBytes)
        return Failure{QStringLiteral("A kiegészítő szólista túl nagy: %1").arg(path)};
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(*bytes);
    if (utf8.hasError())
        return Failure{
            QStringLiteral("A kiegészítő szólista nem érvényes UTF-8 szöveg: %1").arg(path)};

    std::vector<std::pair<QString, QString>> pairs;
    bool swapped = false;
    bool headed = false;
    int lineNo = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++lineNo;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const auto sides = line.split(u'\t');
        if (sides.size() != 2)
            return lineFailure(path, lineNo,
                               QStringLiteral("nem két, tabulátorral elválasztott részből áll"));
        if (!headed) {
            const QString a = sides[0].trimmed().toString();
            const QString b = sides[1].trimmed().toString();
            const auto same = [](const QString &x, const QString &y) {
                return x.compare(y, Qt::CaseInsensitive) == 0;
            };
            if (same(a, firstField) && same(b, secondField)) {
                swapped = false;
            } else if (same(a, secondField) && same(b, firstField)) {
                swapped = true;
            } else {
                return lineFailure(path, lineNo,
                                   QStringLiteral("az első sor a két nyelv neve legyen "
                                                  "(%1 és %2), nem „%3” és „%4”")
                                       .arg(firstField, secondField, a, b));
            }
            headed = true;
            continue;
        }
        QString first = sides[0].toString();
        QString second = sides[1].toString();
        if (swapped)
            std::swap(first, second);
        pairs.emplace_back(std::move(first), std::move(second));
    }
    if (!headed)
        return Failure{QStringLiteral("A kiegészítő szólista üres: %1").arg(path)};
    return pairs;
}

} // namespace dictd
