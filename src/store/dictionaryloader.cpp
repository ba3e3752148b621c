#include "store/dictionaryloader.h"

#include "store/dictionaryformat.h"
#include "store/engine/sqlite_handle.h"
#include "store/engine/table_file.h"

#include <QFileInfo>

#include <climits>

namespace store {
namespace {

// Enough for the indexes' sorting to stay mostly in memory, yet bounded.
constexpr const char *kCacheForIndexes = "PRAGMA cache_size=-32768";
// The rows are only appended, and earlier ones read back now and then.
constexpr const char *kCacheForRows = "PRAGMA cache_size=-4096";

// text as UTF-8 into out, whose memory is kept for the next text. A lone
// surrogate becomes "?", as QString::toUtf8 writes it.
void toUtf8(QStringView text, std::string &out)
{
    out.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(c)) {
            out += '?';
            continue;
        }
        if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
        }
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

struct DictionaryLoader::Statements {
    Statement insert;
    Statement select;
};

DictionaryLoader::DictionaryLoader(const QString &path, const QString &first, const QString &second)
    : m_path(path), m_first(first), m_second(second), m_lastKey(TableFile::kFirstKey - 1)
{
    TableFile::create(path, QFileInfo(path).completeBaseName(),
                      {{QStringLiteral("Azon"), true, 0},
                       {first, false, kTextFieldSize},
                       {second, false, kTextFieldSize}});
    m_file = std::make_unique<TableFile>(path, TableFile::OpenOptions{});
    sqlite3 *db = m_file->db();
    // Nobody else sees the file before finish(), and a failed load is
    // thrown away: no journal and no syncing while loading.
    execSql(db, "PRAGMA journal_mode=OFF");
    execSql(db, "PRAGMA synchronous=OFF");
    execSql(db, kCacheForRows);
    execSql(db, "BEGIN");
    const std::string table = m_file->quotedTable();
    m_statements = std::make_unique<Statements>(Statements{
        Statement(db, "INSERT INTO " + table + " VALUES (?,?,?)"),
        Statement(db, "SELECT " + m_file->quotedColumn(1) + "," + m_file->quotedColumn(2) +
                          " FROM " + table + " WHERE " + m_file->quotedColumn(0) + "=?")});
}

DictionaryLoader::~DictionaryLoader()
{
    m_statements.reset();
    if (m_file && sqlite3_get_autocommit(m_file->db()) == 0)
        sqlite3_exec(m_file->db(), "ROLLBACK", nullptr, nullptr, nullptr);
}

std::int32_t DictionaryLoader::append(const QString &first, const QString &second)
{
    if (m_lastKey == INT32_MAX)
        throwSqlite(m_file->db(), SQLITE_FULL);
    toUtf8(first, m_firstUtf8);
    toUtf8(second, m_secondUtf8);
    Statement &insert = m_statements->insert.reset();
    insert.bind(1, std::int64_t(m_lastKey) + 1)
        .bindUnchanging(2, m_firstUtf8)
        .bindUnchanging(3, m_secondUtf8);
    insert.run();
    return ++m_lastKey;
}

std::pair<QString, QString> DictionaryLoader::row(std::int32_t azon)
{
    Statement &select = m_statements->select.reset();
    select.bind(1, std::int64_t(azon));
    if (!select.step())
        return {};
    std::pair<QString, QString> texts{select.text(0), select.text(1)};
    select.reset();
    return texts;
}

void DictionaryLoader::finish()
{
    m_statements.reset();
    sqlite3 *db = m_file->db();
    execSql(db, kCacheForIndexes);
    const std::string table = m_file->quotedTable();
    // Named and built like those of CreateDictionaryFile.
    for (const auto &[name, column] : {std::pair{m_first, 1}, std::pair{m_second, 2}})
        execSql(db, TableFile::createIndexSql(name, table, {m_file->quotedColumn(column)}, true));
    execSql(db, "COMMIT");
    execSql(db, "PRAGMA journal_mode=WAL");
    m_file.reset();
}

} // namespace store
