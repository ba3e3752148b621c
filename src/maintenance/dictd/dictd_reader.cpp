#include "maintenance/dictd/dictd_reader.h"

#include "platform/regularfile.h"

#include <QStringDecoder>

#include <unordered_map>

namespace dictd {
namespace {

// Free dictionaries' entries stay below a few kilobytes and a hundred
// translations; far larger ones are crafted to make the conversion swell.
constexpr std::int64_t kMaxEntryBytes = std::int64_t(1) << 20;
constexpr qsizetype kMaxTranslations = 10000;
// An index read in data order inflates each byte once and hands it out once.
// Ranges that overlap over and over would repeat that work without end.
constexpr std::int64_t kWorkPerDataByte = 4;
constexpr std::int64_t kWorkSlack = std::int64_t(4) << 20;

struct Range {
    std::int64_t offset;
    std::int64_t length;
    bool operator==(const Range &) const = default;
};

struct RangeHash {
    std::size_t operator()(const Range &r) const noexcept
    {
        // Unsigned: offsets near 2^63 must not overflow.
        const auto offset = static_cast<std::uint64_t>(r.offset);
        return std::hash<std::uint64_t>()(offset * 1000003u ^ static_cast<std::uint64_t>(r.length));
    }
};

QString entryPlace(const IndexEntry &item)
{
    return QStringLiteral("a(z) „%1” szócikk (index %2. sor)").arg(item.headword).arg(item.line);
}

} // namespace

Result<DictdReader> DictdReader::open(const QString &indexPath, const QString &dictPath)
{
    // A named pipe or a device would block or never end.
    for (const QString &path : {indexPath, dictPath}) {
        const QString notRegular = platform::notRegularFileMessage(path);
        if (!notRegular.isEmpty())
            return Failure{notRegular};
    }
    auto index = readIndexFile(indexPath);
    if (!index)
        return index.failure();
    auto data = openDictData(dictPath);
    if (!data)
        return data.failure();
    return DictdReader(std::move(index.value()), std::move(data.value()), dictPath);
}

DictdReader::DictdReader(std::vector<IndexEntry> index, std::unique_ptr<DictData> data,
                         QString dictPath)
    : m_index(std::move(index)), m_data(std::move(data)), m_dictPath(std::move(dictPath))
{}

Status DictdReader::forEachEntry(const std::function<void(const DictdEntry &)> &visit)
{
    m_infoEntries = 0;
    const std::int64_t workBudget = kWorkPerDataByte * m_data->size() + kWorkSlack;
    const std::int64_t workBefore = m_data->bytesProcessed();
    // For each range read: whether its entry took the index's headword. A
    // range that gave its own headword gives the same pairs again, so a
    // repeat of it is skipped unread.
    std::unordered_map<Range, bool, RangeHash> seen;
    seen.reserve(m_index.size());
    for (const IndexEntry &item : m_index) {
        if (isDatabaseInfoHeadword(item.headword)) {
            ++m_infoEntries;
            continue;
        }
        if (item.length > kMaxEntryBytes)
            return Failure{QStringLiteral("Sérült szótár: %1 hossza túl nagy: %2 bájt")
                               .arg(entryPlace(item))
                               .arg(item.length)};
        const auto [slot, fresh] = seen.try_emplace(Range{item.offset, item.length}, false);
        if (!fresh && !slot->second)
            continue;
        const auto bytes = m_data->read(item.offset, item.length);
        if (!bytes)
            return Failure{QStringLiteral("Sérült szótár: %1 nem olvasható a(z) %2 állományból: %3")
                               .arg(entryPlace(item), m_dictPath, bytes.error())};
        if (m_data->bytesProcessed() - workBefore > workBudget)
            return Failure{QStringLiteral("Sérült szótár: az index újra meg újra ugyanazokra az "
                                          "adatokra mutat; %1 után már %2 bájtot kellett "
                                          "kibontani a(z) %3 állomány %4 bájtjából")
                               .arg(entryPlace(item))
                               .arg(m_data->bytesProcessed() - workBefore)
                               .arg(m_dictPath)
                               .arg(m_data->size())};
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes.value());
        if (utf8.hasError())
            return Failure{QStringLiteral("Sérült szótár: %1 nem érvényes UTF-8 szöveg: %2")
                               .arg(entryPlace(item), m_dictPath)};
        DictdEntry entry = parseEntry(text);
        if (entry.translations.size() > kMaxTranslations)
            return Failure{QStringLiteral("Sérült szótár: %1 túl sok fordítást tartalmaz: %2 "
                                          "(legfeljebb %3 lehet)")
                               .arg(entryPlace(item))
                               .arg(entry.translations.size())
                               .arg(kMaxTranslations)};
        if (entry.headword.isEmpty()) {
            entry.headword = item.headword;
            slot->second = true;
        }
        visit(entry);
    }
    return Done{};
}

} // namespace dictd
