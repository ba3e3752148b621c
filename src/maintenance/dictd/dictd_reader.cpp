#include "maintenance/dictd/dictd_reader.h"

#include "platform/regularfile.h"

#include <QStringDecoder>

#include <algorithm>
#include <tuple>
#include <vector>

namespace dictd {
namespace {

// Free dictionaries' entries stay below a few kilobytes and a hundred
// translations; far larger ones are crafted to make the conversion swell.
constexpr std::int64_t kMaxEntryBytes = std::int64_t(1) << 20;
constexpr qsizetype kMaxTranslations = 10000;
// Entries read in data order inflate or read each byte of the file once and
// hand it out once. Ranges that overlap over and over would repeat that
// work without end.
constexpr std::int64_t kWorkPerDataByte = 4;
constexpr std::int64_t kWorkSlack = std::int64_t(4) << 20;

// The entries to read, dictd's information entries aside, in the order of
// their data: by offset, then length, then index line. A file is then read
// front to back whatever order its index has (dictfmt sorts the index of an
// unsorted word list by headword), and the entries of a range the index
// repeats come one after the other, the earliest line first.
std::vector<std::uint32_t> dataOrder(const CompactIndex &index, std::int64_t &infoEntries)
{
    std::vector<std::uint32_t> order;
    order.reserve(index.size());
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (isDatabaseInfoHeadword(index.headword(i)))
            ++infoEntries;
        else
            order.push_back(std::uint32_t(i));
    }
    const auto before = [&](std::uint32_t a, std::uint32_t b) {
        return std::tuple(index.offset(a), index.length(a), a) <
               std::tuple(index.offset(b), index.length(b), b);
    };
    if (!std::is_sorted(order.begin(), order.end(), before))
        std::sort(order.begin(), order.end(), before);
    return order;
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
    const std::vector<std::uint32_t> order = dataOrder(m_index, m_infoEntries);
    // A range read again gives the same pairs again, so a repeat is skipped
    // unread, unless the entry there took the index's headword.
    bool rangeTookIndexHeadword = false;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::uint32_t i = order[k];
        const bool repeat = k > 0 && m_index.offset(order[k - 1]) == m_index.offset(i) &&
                            m_index.length(order[k - 1]) == m_index.length(i);
        if (!repeat)
            rangeTookIndexHeadword = false;
        if (m_index.length(i) > kMaxEntryBytes)
            return Failure{QStringLiteral("Sérült szótár: %1 hossza túl nagy: %2 bájt")
                               .arg(entryPlace(m_index, i))
                               .arg(m_index.length(i))};
        if (repeat && !rangeTookIndexHeadword)
            continue;
        const auto bytes = m_data->read(m_index.offset(i), m_index.length(i));
        if (!bytes)
            return Failure{QStringLiteral("Sérült szótár: %1 nem olvasható a(z) %2 állományból: %3")
                               .arg(entryPlace(m_index, i), m_dictPath, bytes.error())};
        if (m_data->bytesProcessed() - workBefore > workBudget)
            return Failure{QStringLiteral("Sérült szótár: az index újra meg újra ugyanazokra az "
                                          "adatokra mutat; %1 után már %2 bájtot kellett "
                                          "feldolgozni a(z) %3 állomány %4 bájtjából")
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
            rangeTookIndexHeadword = true;
        }
        visit(entry);
    }
    return Done{};
}

} // namespace dictd
