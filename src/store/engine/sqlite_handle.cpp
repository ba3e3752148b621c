#include "store/engine/sqlite_handle.h"

#include <QUrl>

#include "store/engine/messages.h"

#include <utility>

namespace store {

QString fileOf(sqlite3 *db)
{
    const char *name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name ? QString::fromUtf8(name) : QString();
}

void throwSqlite(const QString &path, sqlite3 *db, int code)
{
    const char *detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw messages::fromSqlite(path, code, QString::fromUtf8(detail));
}

void throwSqlite(sqlite3 *db, int code)
{
    throwSqlite(fileOf(db), db, code);
}

Statement::Statement(sqlite3 *db, const std::string &sql) : m_db(db)
{
    const int rc = sqlite3_prepare_v3(db, sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                      &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        throwSqlite(db, rc);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement &&other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr)), m_db(other.m_db)
{}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_db = other.m_db;
    }
    return *this;
}

Statement &Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    return *this;
}

Statement &Statement::bindUnchanging(int index, const std::string &utf8)
{
    const int rc = sqlite3_bind_text(m_stmt, index, utf8.data(), int(utf8.size()), SQLITE_STATIC);
    if (rc != SQLITE_OK)
        throwSqlite(m_db, rc);
    return *this;
}

Statement &Statement::bind(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const int rc =
        sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        throwSqlite(m_db, rc);
    return *this;
}

Statement &Statement::bind(int index, std::int64_t value)
{
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        throwSqlite(m_db, rc);
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    throwSqlite(m_db, rc);
}

void Statement::run()
{
    while (step()) {
    }
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
}

const char *Statement::utf8(int column, int &length) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    length = data ? sqlite3_column_bytes(m_stmt, column) : 0;
    return data ? data : "";
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

void execSql(sqlite3 *db, const std::string &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        throwSqlite(db, rc);
}

std::string quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return "\"" + quoted.toStdString() + "\"";
}

QByteArray sqliteUri(const QString &path, bool immutable)
{
    QByteArray uri = "file:" + QUrl::toPercentEncoding(path, "/");
    if (immutable)
        uri += "?immutable=1";
    return uri;
}

} // namespace store
