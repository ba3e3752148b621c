#include "store/engine/table.h"

#include "store/engine/collation.h"
#include "store/engine/messages.h"
#include "store/engine/session.h"
#include "store/engine/side_files.h"
#include "store/engine/table_file.h"
#include "store/engine/table_install.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <exception>
#include <optional>
#include <string>
#include <utility>

namespace store {
namespace {

// The file name in directory whose name equals fileName but for letter case,
// as a case-insensitive file system would find it; fileName when none does.
QString resolveCase(const QString &directory, const QString &fileName)
{
    const QDir dir(directory.isEmpty() ? QStringLiteral(".") : directory);
    if (fileName.isEmpty() || dir.exists(fileName))
        return fileName;
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Dirs | QDir::Hidden)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return fileName;
}

} // namespace

Table::Table(Session &session, QObject *parent) : QObject(parent), m_session(session) {}

Table::~Table()
{
    try {
        close();
    } catch (...) {
        // A failing final post cannot be reported from a destructor.
    }
}

void Table::setDatabaseName(const QString &directory)
{
    requireClosed(QStringLiteral("A könyvtár megváltoztatása"));
    m_directory = directory;
}

void Table::setTableName(const QString &fileName)
{
    requireClosed(QStringLiteral("A tábla megváltoztatása"));
    m_fileName = fileName;
}

QString Table::filePath() const
{
    if (m_directory.isEmpty())
        return m_fileName;
    return QDir(m_directory).filePath(m_fileName);
}

QString Table::existingFilePath() const
{
    const QString actual = resolveCase(m_directory, m_fileName);
    return m_directory.isEmpty() ? actual : QDir(m_directory).filePath(actual);
}

Field *Table::addField(const QString &fieldName, FieldType type)
{
    m_fields.push_back(std::make_unique<Field>(*this, fieldName, type));
    return m_fields.back().get();
}

Field *Table::findField(const QString &fieldName) const
{
    for (const auto &field : m_fields) {
        if (field->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

void Table::requireOpen() const
{
    if (!isOpen())
        throw messages::notOpen(filePath());
}

void Table::requireClosed(const QString &what) const
{
    if (isOpen())
        throw messages::mustBeClosed(filePath(), what);
}

void Table::requireWritable() const
{
    requireOpen();
    if (m_file->readOnly())
        throw messages::readOnly(filePath());
}

bool Table::isReadOnly() const
{
    return m_file && m_file->readOnly();
}

void Table::open()
{
    if (isOpen())
        return;
    std::shared_ptr<TableFile> file = m_session.acquire(existingFilePath());
    for (const auto &field : m_fields) {
        const int column = file->columnIndex(field->fieldName());
        if (column < 0)
            throw messages::missingField(filePath(), field->fieldName());
        const bool isKey = column == file->keyColumn();
        if (isKey != (field->type() == FieldType::Integer))
            throw messages::missingField(filePath(), field->fieldName());
    }
    m_file = file;
    m_locatePlans.clear();
    std::vector<int> order;
    try {
        order = orderColumnsFor(m_orderField);
    } catch (...) {
        m_file.reset();
        throw;
    }
    m_order = order;
    m_file->attach(this);
    m_state = TableState::Browse;
    try {
        setCurrent(m_file->orders().firstKey(m_order), 0);
        m_bof = true;
        m_eof = !m_currentKey;
    } catch (...) {
        m_file->detach(this);
        m_file.reset();
        m_state = TableState::Inactive;
        throw;
    }
    notifyData();
}

void Table::close()
{
    if (!isOpen())
        return;
    // The table closes whatever fails; the first failure is reported.
    std::exception_ptr failure;
    try {
        checkBrowseMode();
    } catch (...) {
        failure = std::current_exception();
    }
    while (m_disableCount > 0) {
        --m_disableCount;
        try {
            m_file->endBatch();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    m_file->orders().endStepping();
    m_file->detach(this);
    m_file.reset();
    m_state = TableState::Inactive;
    m_currentKey.reset();
    m_row.clear();
    m_rowInStepper = false;
    m_currentPos = -1;
    m_eof = m_bof = true;
    m_modified = false;
    m_buffer.clear();
    m_bufferKey.reset();
    m_rowVanished = false;
    Q_EMIT dataChanged();
    if (failure)
        std::rethrow_exception(failure);
}

std::vector<int> Table::orderColumnsFor(const QString &fieldNames) const
{
    std::vector<int> order;
    if (fieldNames.trimmed().isEmpty())
        return order;
    for (const QString &name : fieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int column = m_file->columnIndex(name.trimmed());
        if (column < 0)
            throw messages::missingField(filePath(), name.trimmed());
        if (column == m_file->keyColumn())
            return {};
        order.push_back(column);
    }
    const auto indexes = m_file->indexes();
    for (const auto &index : indexes) {
        if (!index.columns.empty() && index.columns.front() == order.front())
            return order;
    }
    throw messages::noIndex(filePath(), m_file->columns()[std::size_t(order.front())].name);
}

void Table::setIndexFieldNames(const QString &fieldName)
{
    if (!isOpen()) {
        m_orderField = fieldName;
        return;
    }
    checkBrowseMode();
    m_file->sync();
    m_order = orderColumnsFor(fieldName);
    m_file->orders().endStepping();
    m_orderField = fieldName;
    m_currentPos = -1;
    notifyData();
}

void Table::checkBrowseMode()
{
    if (m_state == TableState::Edit || m_state == TableState::Insert) {
        if (m_modified)
            post();
        else
            cancel();
    }
}

void Table::rowLeftByStepper()
{
    if (m_rowInStepper) {
        m_rowInStepper = false;
        m_rowStale = true;
    }
}

void Table::takeSteppedRow(const TableFile &file, std::int32_t key) const noexcept
{
    if (!m_rowInStepper || m_currentKey != key)
        return;
    m_rowInStepper = false;
    file.orders().readSteppedRow(m_row);
}

const std::vector<QString> &Table::currentRow() const
{
    if (m_rowInStepper) {
        m_rowInStepper = false;
        m_file->orders().readSteppedRow(m_row);
    }
    if (m_rowStale && m_currentKey) {
        m_rowStale = false;
        if (auto row = m_file->readRow(*m_currentKey))
            m_row = *row;
    }
    return m_row;
}

void Table::setCurrent(std::optional<std::int32_t> key, int knownPos,
                       std::vector<QString> *knownRow)
{
    // Every move but a step starts the next step afresh.
    m_rowInStepper = false;
    m_file->orders().endStepping();
    m_currentKey = key;
    m_currentPos = key ? knownPos : -1;
    m_rowStale = false;
    m_rowInStepper = false;
    m_row.clear();
    if (key && knownRow) {
        m_row = std::move(*knownRow);
    } else if (key) {
        if (auto row = m_file->readRow(*key))
            m_row = *row;
    }
    if (m_row.empty())
        m_row.assign(m_file->columns().size(), QString());
    notifyCurrent();
}

void Table::first()
{
    requireOpen();
    checkBrowseMode();
    m_file->sync();
    setCurrent(m_file->orders().firstKey(m_order), 0);
    m_bof = true;
    m_eof = !m_currentKey;
}

void Table::last()
{
    requireOpen();
    checkBrowseMode();
    m_file->sync();
    const auto key = m_file->orders().lastKey(m_order);
    setCurrent(key, key ? m_file->rowCount() - 1 : -1);
    m_eof = true;
    m_bof = !m_currentKey;
}

void Table::next()
{
    step(true);
}

void Table::prior()
{
    step(false);
}

void Table::watchStepPause()
{
    // Without an event loop (a tool run from start to end) nobody idles.
    if (!QCoreApplication::instance())
        return;
    if (!m_stepPause) {
        m_stepPause = new QTimer(this);
        m_stepPause->setSingleShot(true);
        m_stepPause->setInterval(TableFile::kSteppingPauseMs);
        connect(m_stepPause, &QTimer::timeout, this, [this] {
            if (m_file && m_file->orders().endPausedStepping())
                m_stepPause->start();
        });
    }
    // Not restarted on every step: a step costs less than restarting a
    // timer, and the timeout looks at the time of the last step itself.
    if (!m_stepPause->isActive())
        m_stepPause->start();
}

void Table::step(bool forward)
{
    requireOpen();
    checkBrowseMode();
    bool &atEdge = forward ? m_eof : m_bof;
    if (!m_currentKey) {
        atEdge = true;
        return;
    }
    // A step from the current row needs no check for other writers: that
    // happens on every positioning call (first, last, locate, moveTo).
    if (m_order.size() <= 1) {
        // The file keeps the walk open from one step to the next.
        std::optional<std::int32_t> key;
        try {
            key = m_file->orders().stepRow(this, m_order, forward, *m_currentKey);
        } catch (...) {
            rowLeftByStepper();
            throw;
        }
        if (!key) {
            rowLeftByStepper();
            atEdge = true;
            return;
        }
        m_currentKey = key;
        if (m_currentPos >= 0)
            m_currentPos += forward ? 1 : -1;
        m_rowInStepper = true;
        m_rowStale = false;
        m_eof = false;
        m_bof = false;
        watchStepPause();
        notifyCurrent();
        return;
    }
    std::optional<std::int32_t> key;
    int pos = -1;
    if (m_currentPos >= 0 && m_file->orders().hasValidKeys(m_order)) {
        const auto &keys = m_file->orders().keys(m_order);
        const int to = m_currentPos + (forward ? 1 : -1);
        if (to >= 0 && to < int(keys.size())) {
            pos = to;
            key = keys[std::size_t(pos)];
        }
    } else {
        const SortKey here = m_file->sortKeyOf(m_order, currentRow(), *m_currentKey);
        key = forward ? m_file->orders().keyAfter(m_order, here)
                      : m_file->orders().keyBefore(m_order, here);
    }
    if (!key) {
        atEdge = true;
        return;
    }
    setCurrent(key, pos);
    m_eof = false;
    m_bof = false;
}

int Table::recordCount() const
{
    if (!isOpen())
        return 0;
    m_file->sync();
    return m_file->rowCount(); // posted rows only; a row being appended is not one yet
}

int Table::positionOfCurrent() const
{
    if (!m_currentKey)
        return -1;
    if (m_currentPos < 0) {
        const SortKey key = m_file->sortKeyOf(m_order, currentRow(), *m_currentKey);
        m_currentPos = m_file->orders().keysAtHand(m_order)
                           ? m_file->orders().positionOf(m_order, key)
                           : m_file->orders().countBefore(m_order, key);
    }
    return m_currentPos;
}

int Table::recNo() const
{
    if (!isOpen())
        return -1;
    m_file->sync();
    return positionOfCurrent();
}

void Table::moveTo(int pos)
{
    requireOpen();
    checkBrowseMode();
    m_file->sync();
    const int rows = m_file->rowCount();
    if (rows == 0) {
        setCurrent(std::nullopt, -1);
        m_eof = m_bof = true;
        return;
    }
    pos = std::clamp(pos, 0, rows - 1);
    setCurrent(keyAt(pos), pos);
    m_bof = false;
    m_eof = false;
}

std::optional<std::int32_t> Table::keyAt(int pos) const
{
    if (m_file->orders().keysAtHand(m_order)) {
        const auto &keys = m_file->orders().keys(m_order);
        if (pos < 0 || pos >= int(keys.size()))
            return std::nullopt;
        return keys[std::size_t(pos)];
    }
    // Until the key list is there: a walk from the nearest known place.
    const int here = positionOfCurrent();
    if (here < 0)
        return m_file->orders().keyAt(m_order, pos, nullptr, -1);
    const SortKey anchor = m_file->sortKeyOf(m_order, currentRow(), *m_currentKey);
    return m_file->orders().keyAt(m_order, pos, &anchor, here);
}

RowValues Table::rowAt(int pos, const QStringList &fieldNames) const
{
    requireOpen();
    m_file->sync();
    RowValues result;
    const auto key = keyAt(pos);
    if (!key)
        return result;
    result.azon = *key;
    const auto row = m_file->readRow(result.azon);
    const auto &columns = m_file->columns();
    if (fieldNames.isEmpty()) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (int(i) != m_file->keyColumn())
                result.values << (row ? (*row)[i] : QString());
        }
    } else {
        for (const QString &name : fieldNames) {
            const int column = m_file->columnIndex(name);
            result.values << (row && column >= 0 ? (*row)[std::size_t(column)] : QString());
        }
    }
    return result;
}

namespace {

// A walk over every row reads each page once: through the large cache the
// indexes keep, which the walk would flush anyway, filling it costs a third
// of the walk. The cache's size comes back after the walk.
class SmallCacheDuringWalk {
public:
    explicit SmallCacheDuringWalk(sqlite3 *db) : m_db(db)
    {
        sqlite3_stmt *query = nullptr;
        if (sqlite3_prepare_v2(m_db, "PRAGMA cache_size", -1, &query, nullptr) == SQLITE_OK &&
            sqlite3_step(query) == SQLITE_ROW) {
            m_size = sqlite3_column_int64(query, 0);
        }
        sqlite3_finalize(query);
        if (m_size)
            sqlite3_exec(m_db, "PRAGMA cache_size=-2048", nullptr, nullptr, nullptr);
    }
    ~SmallCacheDuringWalk()
    {
        if (m_size) {
            const std::string restore = "PRAGMA cache_size=" + std::to_string(*m_size);
            sqlite3_exec(m_db, restore.c_str(), nullptr, nullptr, nullptr);
        }
    }
    SmallCacheDuringWalk(const SmallCacheDuringWalk &) = delete;
    SmallCacheDuringWalk &operator=(const SmallCacheDuringWalk &) = delete;

private:
    sqlite3 *m_db;
    std::optional<sqlite3_int64> m_size;
};

} // namespace

void Table::scanTexts(const QStringList &fieldNames, const TextVisitor &visit)
{
    requireOpen();
    checkBrowseMode();
    m_file->sync();
    const SmallCacheDuringWalk cache(m_file->db());
    std::string sql = "SELECT ";
    for (qsizetype i = 0; i < fieldNames.size(); ++i) {
        const int column = m_file->columnIndex(fieldNames[i]);
        if (column < 0)
            throw messages::missingField(filePath(), fieldNames[i]);
        sql += (i > 0 ? "," : "") + m_file->quotedColumn(column);
    }
    if (fieldNames.isEmpty())
        throw messages::missingField(filePath(), QString());
    sql +=
        " FROM " + m_file->quotedTable() + " ORDER BY " + m_file->orders().orderBy(OrderColumns{});
    Statement &select = m_file->statement(sql);
    std::vector<QByteArrayView> texts(std::size_t(fieldNames.size()));
    int rows = 0;
    try {
        while (select.step()) {
            ++rows;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                int length = 0;
                const char *data = select.utf8(int(i), length);
                texts[i] = QByteArrayView(data, length);
            }
            visit(texts);
        }
    } catch (...) {
        select.reset();
        throw;
    }
    select.reset();
    // Spares the count a later move to the last row would make: as long
    // again as the walk.
    m_file->noteRowCount(rows);
}

const Table::LocatePlan &Table::locatePlan(const QString &fieldNames, LocateOptions options)
{
    const QString cacheKey = fieldNames + QLatin1Char('|') + QString::number(options.toInt()) +
                             QLatin1Char('|') + m_orderField;
    if (auto cached = m_locatePlans.find(cacheKey); cached != m_locatePlans.end())
        return cached->second;
    const QStringList names = fieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const bool ci = options.testFlag(LocateOption::CaseInsensitive);
    const bool partial = options.testFlag(LocateOption::PartialKey);
    LocatePlan plan;
    plan.fieldCount = int(names.size());
    std::string where;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const int column = m_file->columnIndex(names[i].trimmed());
        if (column < 0)
            throw messages::missingField(filePath(), names[i].trimmed());
        const std::string c = m_file->quotedColumn(column);
        const std::string folded = c + " COLLATE " + collation::kSqlName;
        if (!where.empty())
            where += " AND ";
        plan.params.push_back({int(i), false});
        const std::string v = "?" + std::to_string(plan.params.size());
        if (column == m_file->keyColumn()) {
            where += c + "=CAST(" + v + " AS INTEGER)";
        } else if (partial) {
            plan.params.push_back({int(i), true});
            const std::string bound = "?" + std::to_string(plan.params.size());
            where += "(" + folded + ">=" + v + " AND " + folded + "<" + bound;
            if (!ci)
                where += " AND substr(" + c + ",1,length(" + v + "))=" + v;
            where += ")";
        } else {
            where += "(" + folded + "=" + v;
            if (!ci)
                where += " AND " + c + "=" + v;
            where += ")";
        }
    }
    plan.sql = "SELECT * FROM " + m_file->quotedTable() + " WHERE " + where + " ORDER BY " +
               m_file->orders().orderBy(m_order) + " LIMIT 1";
    return m_locatePlans.emplace(cacheKey, std::move(plan)).first->second;
}

bool Table::locate(const QString &fieldNames, const QStringList &values, LocateOptions options)
{
    requireOpen();
    checkBrowseMode();
    m_file->sync();
    const LocatePlan &plan = locatePlan(fieldNames, options);
    if (plan.fieldCount == 0 || plan.fieldCount != values.size())
        throw messages::missingField(filePath(), fieldNames);
    Statement &select = m_file->statement(plan.sql);
    for (std::size_t i = 0; i < plan.params.size(); ++i) {
        const QString &value = values[plan.params[i].value];
        select.bind(int(i) + 1,
                    plan.params[i].upperBound ? collation::upperBoundFor(value) : value);
    }
    if (!select.step())
        return false;
    std::vector<QString> row(m_file->columns().size());
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = select.text(int(i));
    const auto key = select.integer(m_file->keyColumn());
    select.reset();
    if (key < INT32_MIN || key > INT32_MAX)
        throw messages::keyOutOfRange(filePath(), key);
    setCurrent(std::int32_t(key), -1, &row);
    m_eof = false;
    m_bof = false;
    return true;
}

void Table::append()
{
    requireWritable();
    checkBrowseMode();
    m_buffer.assign(m_file->columns().size(), QString());
    m_bufferKey.reset();
    m_rowVanished = false;
    m_state = TableState::Insert;
    m_modified = false;
    notifyCurrent();
}

void Table::edit()
{
    requireWritable();
    if (m_state == TableState::Edit || m_state == TableState::Insert)
        return;
    if (!m_currentKey) {
        append();
        return;
    }
    m_buffer = currentRow();
    m_bufferKey = m_currentKey;
    m_rowVanished = false;
    m_state = TableState::Edit;
    m_modified = false;
    notifyCurrent();
}

void Table::post()
{
    requireOpen();
    if (m_state != TableState::Edit && m_state != TableState::Insert)
        return;
    requireWritable();
    const auto &columns = m_file->columns();
    std::vector<QString> row = m_buffer;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].isKey)
            row[i] = cutToSize(row[i], columns[i].size);
    }
    m_file->sync();
    std::int32_t azon = 0;
    // An edited row deleted meanwhile is stored as a new entry on the
    // second try (the first told the user).
    if (m_state == TableState::Insert || m_rowVanished) {
        if (m_state == TableState::Insert && m_bufferKey) {
            azon = *m_bufferKey;
            if (m_file->readRow(azon))
                throw messages::duplicateKey(filePath(), azon);
            row[std::size_t(m_file->keyColumn())] = QString::number(azon);
            m_file->insertRow(row, azon);
        } else {
            azon = m_file->appendRow(row);
        }
    } else {
        azon = *m_bufferKey;
        row[std::size_t(m_file->keyColumn())] = QString::number(azon);
        const std::vector<QString> old = currentRow();
        if (!m_file->updateRow(old, row, azon)) {
            // The buffer, the state and the modified flag stay as they were.
            m_rowVanished = true;
            throw messages::deletedMeanwhile(filePath());
        }
    }
    m_state = TableState::Browse;
    m_modified = false;
    m_rowVanished = false;
    m_buffer.clear();
    setCurrent(azon, -1, &row);
    m_eof = m_bof = false;
    m_file->notifyChanged(this);
    notifyData();
}

void Table::cancel()
{
    if (m_state != TableState::Edit && m_state != TableState::Insert)
        return;
    m_state = TableState::Browse;
    m_modified = false;
    m_rowVanished = false;
    m_buffer.clear();
    m_bufferKey.reset();
    notifyCurrent();
}

void Table::remove()
{
    requireWritable();
    if (m_state == TableState::Insert) {
        cancel();
        return;
    }
    checkBrowseMode();
    m_file->sync();
    if (!m_currentKey || !m_file->readRow(*m_currentKey))
        throw messages::nothingToDelete(filePath());
    const std::int32_t azon = *m_currentKey;
    const std::vector<QString> row = currentRow();
    const SortKey key = m_file->sortKeyOf(m_order, row, azon);
    const int pos = m_currentPos;
    auto next = m_file->orders().keyAfter(m_order, key);
    bool atEnd = false;
    if (!next) {
        next = m_file->orders().keyBefore(m_order, key);
        atEnd = true;
    }
    m_file->deleteRow(row, azon);
    setCurrent(next, next && pos >= 0 ? (atEnd ? pos - 1 : pos) : -1);
    m_eof = !next || atEnd;
    m_bof = !next;
    m_file->notifyChanged(this);
    notifyData();
}

void Table::gotoCurrent(const Table &other)
{
    requireOpen();
    other.requireOpen();
    if (other.m_file != m_file)
        throw messages::notOpen(other.filePath());
    checkBrowseMode();
    setCurrent(other.m_currentKey, other.m_order == m_order ? other.m_currentPos : -1);
    m_eof = other.m_eof;
    m_bof = other.m_bof;
}

void Table::disableControls()
{
    ++m_disableCount;
    if (m_file)
        m_file->beginBatch();
}

void Table::enableControls()
{
    if (m_disableCount == 0)
        return;
    --m_disableCount;
    // The views hear of the changes even when the last batch fails: its
    // rows are gone again and they must re-read.
    std::exception_ptr failure;
    if (m_file) {
        try {
            m_file->endBatch();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (m_disableCount == 0) {
        if (m_pendingData)
            notifyData();
        if (m_pendingCurrent)
            notifyCurrent();
    }
    if (failure)
        std::rethrow_exception(failure);
}

void Table::fileChanged()
{
    m_currentPos = -1;
    if (m_state == TableState::Browse && m_currentKey) {
        // Our row may be gone: then the row after its old place is current.
        const auto row = m_file->readRow(*m_currentKey);
        if (row) {
            m_rowInStepper = false;
            m_row = *row;
        } else {
            const SortKey key = m_file->sortKeyOf(m_order, currentRow(), *m_currentKey);
            auto next = m_file->orders().keyAfter(m_order, key);
            if (!next)
                next = m_file->orders().keyBefore(m_order, key);
            setCurrent(next, -1);
            m_eof = m_bof = !next;
        }
    }
    notifyData();
}

QString Table::fieldText(const Field &field) const
{
    if (!isOpen())
        return QString();
    const int column = m_file->columnIndex(field.fieldName());
    if (column < 0)
        throw messages::missingField(filePath(), field.fieldName());
    if (m_state == TableState::Edit || m_state == TableState::Insert)
        return m_buffer[std::size_t(column)];
    return currentRow()[std::size_t(column)];
}

void Table::setFieldText(Field &field, const QString &text)
{
    requireOpen();
    if (m_state != TableState::Edit && m_state != TableState::Insert)
        throw messages::notEditing(filePath());
    const int column = m_file->columnIndex(field.fieldName());
    if (column < 0)
        throw messages::missingField(filePath(), field.fieldName());
    if (column == m_file->keyColumn()) {
        bool ok = false;
        const qint64 key = text.toLongLong(&ok);
        if (!ok || key < INT32_MIN || key > INT32_MAX)
            throw messages::keyOutOfRange(filePath(), key);
        if (m_state == TableState::Edit && key != *m_bufferKey)
            throw messages::notEditing(filePath()); // keys are not rewritten
        m_bufferKey = std::int32_t(key);
    }
    m_buffer[std::size_t(column)] = text;
    m_modified = true;
}

std::shared_ptr<TableFile> Table::fileForMaintenance()
{
    if (m_file)
        return m_file;
    return m_session.acquire(existingFilePath());
}

void Table::createTable(const std::vector<FieldDef> &fields, const std::vector<IndexDef> &indexes)
{
    requireClosed(QStringLiteral("A tábla létrehozása"));
    const QString path = filePath();
    if (QFileInfo::exists(path))
        throw messages::alreadyExists(path);
    std::vector<TableFile::Column> columns;
    for (const FieldDef &def : fields) {
        TableFile::Column column;
        column.name = def.name;
        column.isKey = def.type == FieldType::Integer;
        column.size = column.isKey ? 0 : def.size;
        columns.push_back(column);
    }
    try {
        TableFile::create(path, QFileInfo(path).completeBaseName(), columns);
        auto file = m_session.acquire(path);
        for (const IndexDef &index : indexes) {
            if (index.primary)
                continue; // "Azon" carries the primary key itself
            std::vector<int> cols;
            for (const QString &name : index.fields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                const int column = file->columnIndex(name.trimmed());
                if (column < 0)
                    throw messages::missingField(path, name.trimmed());
                cols.push_back(column);
            }
            file->addIndex(index.name, cols, index.caseInsensitive);
        }
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

void Table::addIndex(const QString &name, const QString &fieldNames, bool caseInsensitive)
{
    auto file = fileForMaintenance();
    for (const auto &index : file->indexes()) {
        if (index.name.compare(name, Qt::CaseInsensitive) == 0)
            throw messages::indexExists(filePath(), name);
    }
    {
        std::vector<int> cols;
        for (const QString &field : fieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const int column = file->columnIndex(field.trimmed());
            if (column < 0 || column == file->keyColumn())
                throw messages::missingField(filePath(), field.trimmed());
            cols.push_back(column);
        }
        if (cols.empty())
            throw messages::missingField(filePath(), fieldNames);
        if (file->readOnly())
            throw messages::readOnly(filePath());
        file->addIndex(name, cols, caseInsensitive);
    }
}

void Table::deleteIndex(const QString &name)
{
    auto file = fileForMaintenance();
    {
        bool exists = false;
        for (const auto &index : file->indexes())
            exists = exists || index.name.compare(name, Qt::CaseInsensitive) == 0;
        if (!exists)
            throw messages::noSuchIndex(filePath(), name);
        if (file->readOnly())
            throw messages::readOnly(filePath());
        file->dropIndex(name);
    }
}

QStringList Table::indexNames() const
{
    auto file = const_cast<Table *>(this)->fileForMaintenance();
    QStringList names;
    for (const auto &index : file->indexes())
        names << index.name;
    return names;
}

QStringList Table::indexesOnFields(const QStringList &fieldNames) const
{
    auto file = const_cast<Table *>(this)->fileForMaintenance();
    std::vector<int> columns;
    for (const QString &name : fieldNames) {
        if (const int column = file->columnIndex(name); column >= 0)
            columns.push_back(column);
    }
    QStringList names;
    for (const auto &index : file->indexes()) {
        const bool covers = std::any_of(index.columns.begin(), index.columns.end(), [&](int c) {
            return std::find(columns.begin(), columns.end(), c) != columns.end();
        });
        if (covers)
            names << index.name;
    }
    return names;
}

QStringList Table::columnNames() const
{
    auto file = const_cast<Table *>(this)->fileForMaintenance();
    QStringList names;
    for (const auto &column : file->columns())
        names << column.name;
    return names;
}

void Table::emptyTable()
{
    auto file = fileForMaintenance();
    if (file->readOnly())
        throw messages::readOnly(filePath());
    checkBrowseMode();
    file->emptyTable();
    if (isOpen()) {
        setCurrent(std::nullopt, -1);
        m_eof = m_bof = true;
    }
    file->notifyChanged(this);
    notifyData();
}

void Table::deleteTable()
{
    requireClosed(QStringLiteral("A tábla törlése"));
    const QString path = filePath();
    if (m_session.isHeld(path))
        throw messages::inUse(path);
    if (!QFileInfo::exists(path))
        throw messages::notFound(path);
    // Refuses, removing nothing, while another program holds the table.
    clearStaleSideFiles(path);
    if (!QFile::remove(path))
        throw messages::cannotDelete(path);
    for (const char *extension : kIndexFileExtensions)
        QFile::remove(sideFile(path, extension));
}

void Table::notifyData()
{
    if (m_disableCount > 0) {
        m_pendingData = true;
        return;
    }
    m_pendingData = false;
    Q_EMIT dataChanged();
}

void Table::notifyCurrent()
{
    if (m_disableCount > 0) {
        m_pendingCurrent = true;
        return;
    }
    m_pendingCurrent = false;
    Q_EMIT currentChanged();
}

BatchScope::BatchScope(Table &table) : m_file(table.m_file)
{
    if (m_file)
        m_file->beginBatch();
}

void BatchScope::commit()
{
    if (!m_file)
        return;
    // Whatever happens, the batch is left: a failed commit has rolled back.
    const std::shared_ptr<TableFile> file = std::exchange(m_file, nullptr);
    file->endBatch();
}

BatchScope::~BatchScope()
{
    if (m_file)
        m_file->abandonBatch();
}

} // namespace store
