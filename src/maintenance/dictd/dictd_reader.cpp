#include "maintenance/dictd/dictd_reader.h"

#include <QStringDecoder>

namespace dictd {
namespace {

// No dictionary entry comes near this; a larger length is a damaged index.
constexpr std::int64_t kMaxEntryBytes = std::int64_t(64) << 20;

} // namespace

Result<DictdReader> DictdReader::open(const QString &indexPath, const QString &dictPath)
{
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
    for (const IndexEntry &item : m_index) {
        if (isDatabaseInfoHeadword(item.headword)) {
            ++m_infoEntries;
            continue;
        }
        if (item.length > kMaxEntryBytes)
            return Failure{QStringLiteral("Sérült szótár: a(z) „%1” szócikk (index %2. sor) "
                                          "hossza túl nagy: %3 bájt")
                               .arg(item.headword)
                               .arg(item.line)
                               .arg(item.length)};
        const auto bytes = m_data->read(item.offset, item.length);
        if (!bytes)
            return Failure{QStringLiteral("Sérült szótár: a(z) „%1” szócikk (index %2. sor) "
                                          "nem olvasható a(z) %3 állományból: %4")
                               .arg(item.headword)
                               .arg(item.line)
                               .arg(m_dictPath, bytes.error())};
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes.value());
        if (utf8.hasError())
            return Failure{QStringLiteral("Sérült szótár: a(z) „%1” szócikk (index %2. sor) "
                                          "nem érvényes UTF-8 szöveg: %3")
                               .arg(item.headword)
                               .arg(item.line)
                               .arg(m_dictPath)};
        DictdEntry entry = parseEntry(text);
        if (entry.headword.isEmpty())
            entry.headword = item.headword;
        visit(entry);
    }
    return Done{};
}

} // namespace dictd
