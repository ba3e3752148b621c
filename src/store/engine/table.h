#pragma once

#include "store/engine/engine_error.h"
#include "store/engine/field.h"

#include <QByteArrayView>
#include <QFlags>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QTimer;

namespace store {

class Session;
class TableFile;

enum class LocateOption { CaseInsensitive = 0x1, PartialKey = 0x2 };
Q_DECLARE_FLAGS(LocateOptions, LocateOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

enum class TableState { Inactive, Browse, Edit, Insert };

enum class FieldType { Integer, String };

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = kTextFieldSize; // characters, for strings
    bool required = false;
};

struct IndexDef {
    QString name;
    QString fields; // field names joined by ";"
    bool primary = false;
    bool caseInsensitive = true;
};

// One row as the grid reads it: the key and the texts of the requested fields.
struct RowValues {
    std::int32_t azon = 0;
    QStringList values;
};

// A cursor on one dictionary table file, in the manner of a data-aware table
// component: bound to a directory and a file name, it has a current row, an
// order (by a field's secondary index, or by "Azon"), an edit buffer and
// field components bound by name.
//
// Every failure throws EngineError, and no other exception type leaves the
// engine. Tables of the same Session that are bound to the same file share
// one connection, so each sees the rows the other has posted at once.
//
// Keys ("Azon") are 32-bit: a file holding a key outside that range is
// refused at open, and so is every later positioning call once another
// program has written one.
class Table final : public QObject {
    Q_OBJECT
public:
    explicit Table(Session &session, QObject *parent = nullptr);
    ~Table() override;
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    // --- Binding; may be changed only while closed.
    void setDatabaseName(const QString &directory);
    QString databaseName() const { return m_directory; }
    void setTableName(const QString &fileName);
    QString tableName() const { return m_fileName; }
    QString filePath() const; // directory + file name
    // Accepted and ignored: every open is shared.
    void setExclusive(bool exclusive) { m_exclusive = exclusive; }
    bool exclusive() const { return m_exclusive; }

    // --- Field components. The table owns them; they live as long as it.
    // Their names are checked against the file's columns at open.
    Field *addField(const QString &fieldName, FieldType type = FieldType::String);
    Field *findField(const QString &fieldName) const; // nullptr when none
    const std::vector<std::unique_ptr<Field>> &fields() const { return m_fields; }

    // --- Open and close. open() fails, leaving the file unchanged, when the
    // file is missing, unreadable, not a dictionary table, or lacks a column
    // a field component names. A read-only file opens for reading only.
    void open();
    // Posts a pending modified row and commits an open batch first; no-op
    // when closed. The table is closed even when that fails, and the failure
    // is thrown after.
    void close();
    bool isOpen() const { return m_state != TableState::Inactive; }
    bool isReadOnly() const;
    TableState state() const { return m_state; }

    // --- Order. The empty name gives "Azon" order. A field without a
    // secondary index throws and leaves the order unchanged. The current
    // row is kept across an order change.
    void setIndexFieldNames(const QString &fieldName);
    QString indexFieldNames() const { return m_orderField; }
    // Resets the order to "Azon" (the selected index name becomes empty).
    void clearIndexName() { setIndexFieldNames(QString()); }

    // --- Navigation in the current order. Each first posts a pending
    // modified row (an unmodified append is dropped).
    void first();
    void last();
    void next();  // at the last row: stays there and eof() becomes true
    void prior(); // at the first row: stays there and bof() becomes true
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recordCount() const;
    // Position of the current row in the current order, 0-based; -1 when the
    // table is empty or closed.
    int recNo() const;
    // Makes the row at position pos (clamped to the table) current.
    void moveTo(int pos);
    // Reads the row at position pos without moving; fieldNames empty gives
    // every string field of the table in column order.
    RowValues rowAt(int pos, const QStringList &fieldNames = {}) const;

    // Hands visit the UTF-8 texts of fieldNames for every row in "Azon"
    // order, in one pass over the file: the way to read a whole table. The
    // views are valid during the call only. The current row does not move;
    // an exception from visit ends the walk and passes through.
    using TextVisitor = std::function<void(std::span<const QByteArrayView> texts)>;
    void scanTexts(const QStringList &fieldNames, const TextVisitor &visit);

    // --- Locate over one or two fields ("A;B"), one value each. Found: the
    // first matching row in the current order becomes current and true is
    // returned. Not found: false, the current row does not move.
    bool locate(const QString &fieldNames, const QStringList &values, LocateOptions options);
    bool locate(const QString &fieldName, const QString &value, LocateOptions options)
    {
        return locate(fieldName, QStringList{value}, options);
    }

    // --- Read-only probes that leave the current row alone. The text of
    // fieldName nearest to value in the field's case-insensitive order (the
    // last text at or before value, or the first at or after it), compared
    // with value. The field's index makes each probe one seek.
    enum class Neighbour { AtOrBefore, AtOrAfter };
    struct NeighbourMatch {
        bool found = false;   // some row lies on that side of value
        qsizetype common = 0; // UTF-16 units of value that the text begins with
        bool whole = false;   // the text is all used up: a beginning of value
    };
    NeighbourMatch probeNeighbour(const QString &fieldName, const QString &value, Neighbour side);

    // Reads the text of valueField of the current row and of the rows after
    // it whose groupField text is identical (case and all) into out, at most
    // out.size() texts, and returns how many it read. Then the table stands
    // where next() after each of them would have left it: on the row after
    // the last one read, or, at the table's end, still on that row with
    // eof() set. Reads the whole run at once when the current order is by
    // groupField; otherwise it steps row by row.
    int readRun(const QString &groupField, const QString &valueField, std::span<QString> out);

    // --- Editing.
    void append(); // a new empty row becomes current, in Insert state
    void edit();   // the current row enters Edit state
    // Stores the row; texts longer than their field are cut. On failure the
    // state, the edit buffer and modified() are left as they were. When the
    // edited row was deleted meanwhile by another connection, post() throws
    // saying so; posting again stores the buffer as a new entry.
    void post();
    void cancel(); // drops the edit or the appended row
    void remove(); // deletes the current row; the next row becomes current
    bool modified() const { return m_modified; }
    std::optional<std::int32_t> currentKey() const { return m_currentKey; }

    // Makes this table's current row the one current in other, which must be
    // open on the same file.
    void gotoCurrent(const Table &other);

    // --- Attached views. While disabled (the calls nest), the views are not
    // told about changes, and posts are grouped into batches committed every
    // few thousand rows and when notification is restarted.
    void disableControls();
    // Ending the outermost disable commits the batch. A failed commit rolls
    // back the rows since the last commit and throws; the views are told.
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // --- Table maintenance on the bound file.
    void createTable(const std::vector<FieldDef> &fields, const std::vector<IndexDef> &indexes);
    void addIndex(const QString &name, const QString &fieldNames, bool caseInsensitive = true);
    void deleteIndex(const QString &name); // throws when no such index
    QStringList indexNames() const;        // secondary indexes of the open or closed file
    // The secondary indexes with any of fieldNames among their columns,
    // whatever their names; unknown field names are passed over.
    QStringList indexesOnFields(const QStringList &fieldNames) const;
    void emptyTable();
    // The table must be closed. Removes the table with its journals and
    // index files; throws, removing nothing, while another program holds it
    // open.
    void deleteTable();
    QStringList columnNames() const; // of the open file, in column order

    // --- Used by the field components.
    QString fieldText(const Field &field) const;
    void setFieldText(Field &field, const QString &text);

    Session &session() const { return m_session; }

Q_SIGNALS:
    // Rows were added, removed or changed, or the order changed: views re-read.
    void dataChanged();
    // The current row or the state moved.
    void currentChanged();

private:
    friend class BatchScope;
    friend class ReadScope;
    friend class TableFile;
    friend class TableOrders;

    // Another component on the same file (or another program) changed rows.
    void fileChanged();
    // The bound file as the file system names it (letter case resolved).
    QString existingFilePath() const;
    void requireOpen() const;
    void requireClosed(const QString &what) const;
    void requireWritable() const;
    void checkBrowseMode();
    void setCurrent(std::optional<std::int32_t> key, int knownPos,
                    std::vector<QString> *knownRow = nullptr);
    const std::vector<QString> &currentRow() const;
    std::vector<int> orderColumnsFor(const QString &fieldNames) const;
    int columnOf(const Field &field) const;
    void ensureKeys() const;
    int positionOfCurrent() const;
    // The key at pos in the current order; nullopt outside the table.
    std::optional<std::int32_t> keyAt(int pos) const;
    void step(bool forward);
    // After a step that left a walk open: lets go of it once idle.
    void watchStepPause();
    // Called by the file before its walk leaves the row of key.
    void takeSteppedRow(const TableFile &file, std::int32_t key) const noexcept;
    // The walk left the current row unread: it is read again when needed.
    void rowLeftByStepper();
    // A file for maintenance work: the open one, or one opened for the call.
    std::shared_ptr<TableFile> fileForMaintenance();
    void notifyData();
    void notifyCurrent();
    // The rest of readRun() in one query, from the current row on, which
    // holds key; the order is by group.
    std::size_t readRestOfRun(int group, int value, const QString &key, std::span<QString> out);

    Session &m_session;
    QString m_directory;
    QString m_fileName;
    bool m_exclusive = false;
    std::vector<std::unique_ptr<Field>> m_fields;
    std::shared_ptr<TableFile> m_file;
    // Ends an open stepping walk once stepping has paused (see stepRow).
    QTimer *m_stepPause = nullptr;
    TableState m_state = TableState::Inactive;
    QString m_orderField;
    std::vector<int> m_order;
    std::optional<std::int32_t> m_currentKey;
    mutable std::vector<QString> m_row; // the current row's texts, by column
    // The current row came from a step and its columns are still in the
    // file's open walk; m_row does not hold them yet.
    mutable bool m_rowInStepper = false;
    mutable bool m_rowStale = false;
    mutable int m_currentPos = -1; // -1: not known yet
    bool m_eof = true;
    bool m_bof = true;
    bool m_modified = false;
    bool m_rowVanished = false;    // the edited row was deleted by another connection
    std::vector<QString> m_buffer; // the edited row, by column
    std::optional<std::int32_t> m_bufferKey;
    int m_disableCount = 0;
    struct LocatePlan {
        struct Param {
            int value;       // index into the located values
            bool upperBound; // the bound after every text beginning with the value
        };
        std::string sql;
        std::vector<Param> params;
        int fieldCount = 0;
    };
    const LocatePlan &locatePlan(const QString &fieldNames, LocateOptions options);
    std::map<QString, LocatePlan> m_locatePlans; // by fields, options and order
    bool m_pendingData = false;
    bool m_pendingCurrent = false;
};

// Holds one read transaction on the table's file while a burst of reads runs
// (the many locates of one lookup), so that they take the file's locks once
// and all see one state of it. Does nothing while the table is closed or
// being edited, or while a write transaction is open. Never throws: without
// the transaction the reads work as before.
class ReadScope final {
public:
    explicit ReadScope(Table &table) noexcept;
    ~ReadScope();
    ReadScope(const ReadScope &) = delete;
    ReadScope &operator=(const ReadScope &) = delete;

private:
    std::shared_ptr<TableFile> m_file;
};

// Groups the posts of a long loop into transactions, committed every few
// thousand posts and by commit(). A process killed inside the scope leaves
// every committed batch in the file. A failed commit (inside a post or in
// commit()) rolls back the rows since the last commit, drops the engine's
// caches and throws EngineError.
class BatchScope final {
public:
    explicit BatchScope(Table &table);
    // Rolls back what commit() did not commit. Never throws.
    ~BatchScope();
    // Commits the rest and ends the scope's batch; throws EngineError on
    // failure. Later calls do nothing.
    void commit();
    BatchScope(const BatchScope &) = delete;
    BatchScope &operator=(const BatchScope &) = delete;

private:
    std::shared_ptr<TableFile> m_file;
};

} // namespace store
