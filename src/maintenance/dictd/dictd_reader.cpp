#include "maintenance/dictd/dictd_reader.h"

#include "platform/regularfile.h"

#include <QStringDecoder>

#include <algorithm>
#include <tuple>
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

// For each entry that repeats the range of an earlier one (dictd's
// information entries aside), the earliest entry with that range. Sorting
// the entry numbers by range finds them in a few bytes an entry.
std::unordered_map<std::uint32_t, std::uint32_t> repeatedRanges(const CompactIndex &index,
                                                                const std::vector<bool> &info)
{
    std::vector<std::uint32_t> order;
    order.reserve(index.size());
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (!info[i])
            order.push_back(std::uint32_t(i));
    }
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const auto key = [&](std::uint32_t i) {
            return std::tuple(index.offset(i), index.length(i), i);
        };
        return key(a) < key(b);
    });
    std::unordered_map<std::uint32_t, std::uint32_t> firstOf;
    for (std::size_t k = 1; k < order.size(); ++k) {
        const std::uint32_t before = order[k - 1];
        const std::uint32_t i = order[k];
        if (index.offset(i) != index.offset(before) || index.length(i) != index.length(before))
            continue;
        const auto found = firstOf.find(before);
        firstOf.emplace(i, found == firstOf.end() ? before : found->second);
    }
    return firstOf;
}

QString entryPlace(const CompactIndex &index, std::size_t i)
{
    return QStringLiteral("a(z) „%1” szócikk (index %2. sor)")
        .arg(index.headword(i))
        .arg(index.line(i));
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
    CompactIndex index;
    const Status read =
        readIndexFile(indexPath, [&index](IndexEntry &&entry) { index.add(entry); });
    if (!read)
        return read.failure();
    index.squeeze();
    auto data = openDictData(dictPath);
    if (!data)
        return data.failure();
    return DictdReader(std::move(index), std::move(data.value()), dictPath);
}

DictdReader::DictdReader(const std::vector<IndexEntry> &index, std::unique_ptr<DictData> data,
                         QString dictPath)
    : m_data(std::move(data)), m_dictPath(std::move(dictPath))
{
    for (const IndexEntry &entry : index)
        m_index.add(entry);
}

DictdReader::DictdReader(CompactIndex index, std::unique_ptr<DictData> data, QString dictPath)
    : m_index(std::move(index)), m_data(std::move(data)), m_dictPath(std::move(dictPath))
{}

Status DictdReader::forEachEntry(const std::function<void(const DictdEntry &)> &visit)
{
    m_infoEntries = 0;
    const std::int64_t workBudget = kWorkPerDataByte * m_data->size() + kWorkSlack;
    const std::int64_t workBefore = m_data->bytesProcessed();
    std::vector<bool> info(m_index.size());
    for (std::size_t i = 0; i < m_index.size(); ++i)
        info[i] = isDatabaseInfoHeadword(m_index.headword(i));
    // A range read again gives the same pairs again, so a repeat is skipped
    // unread, unless the entry there took the index's headword.
    const auto firstOf = repeatedRanges(m_index, info);
    std::vector<bool> tookIndexHeadword(m_index.size());
    for (std::size_t i = 0; i < m_index.size(); ++i) {
        if (info[i]) {
            ++m_infoEntries;
            continue;
        }
        if (m_index.length(i) > kMaxEntryBytes)
            return Failure{QStringLiteral("Sérült szótár: %1 hossza túl nagy: %2 bájt")
                               .arg(entryPlace(m_index, i))
                               .arg(m_index.length(i))};
        const auto repeat = firstOf.find(std::uint32_t(i));
        if (repeat != firstOf.end() && !tookIndexHeadword[repeat->second])
            continue;
        const auto bytes = m_data->read(m_index.offset(i), m_index.length(i));
        if (!bytes)
            return Failure{QStringLiteral("Sérült szótár: %1 nem olvasható a(z) %2 állományból: %3")
                               .arg(entryPlace(m_index, i), m_dictPath, bytes.error())};
        if (m_data->bytesProcessed() - workBefore > workBudget)
            return Failure{QStringLiteral("Sérült szótár: az index újra meg újra ugyanazokra az "
                                          "adatokra mutat; %1 után már %2 bájtot kellett "
                                          "kibontani a(z) %3 állomány %4 bájtjából")
                               .arg(entryPlace(m_index, i))
                               .arg(m_data->bytesProcessed() - workBefore)
                               .arg(m_dictPath)
                               .arg(m_data->size())};
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes.value());
        if (utf8.hasError())
            return Failure{QStringLiteral("Sérült szótár: %1 nem érvényes UTF-8 szöveg: %2")
                               .arg(entryPlace(m_index, i), m_dictPath)};
        DictdEntry entry = parseEntry(text);
        if (entry.translations.size() > kMaxTranslations)
            return Failure{QStringLiteral("Sérült szótár: %1 túl sok fordítást tartalmaz: %2 "
                                          "(legfeljebb %3 lehet)")
                               .arg(entryPlace(m_index, i))
                               .arg(entry.translations.size())
                               .arg(kMaxTranslations)};
        if (entry.headword.isEmpty()) {
            entry.headword = m_index.headword(i);
            tookIndexHeadword[repeat == firstOf.end() ? i : repeat->second] = true;
        }
        visit(entry);
    }
    return Done{};
}

} // namespace dictd
