#pragma once

#include <QString>

#include <cstdint>

namespace store {

// Characters of a text field unless its definition gives another size.
inline constexpr int kTextFieldSize = 50;

// text cut to size characters, never inside a surrogate pair.
QString cutToSize(const QString &text, int size = kTextFieldSize);

class Table;
enum class FieldType;

// A field component: reads and writes one column of its table's current row,
// bound by field name. The name may change only while the table is closed.
class Field final {
public:
    Field(Table &table, const QString &fieldName, FieldType type);
    Field(const Field &) = delete;
    Field &operator=(const Field &) = delete;

    QString fieldName() const { return m_fieldName; }
    void setFieldName(const QString &name); // throws while the table is open
    QString displayLabel() const { return m_displayLabel.isEmpty() ? m_fieldName : m_displayLabel; }
    void setDisplayLabel(const QString &label) { m_displayLabel = label; }
    FieldType type() const { return m_type; }

    // The value of the current row (of the edit buffer while editing); an
    // empty string on an empty table.
    QString asString() const;
    // Only in Edit or Insert state; throws otherwise.
    void setAsString(const QString &text);
    std::int32_t asInteger() const;
    void setAsInteger(std::int32_t value);

    Table &table() const { return m_table; }

private:
    Table &m_table;
    QString m_fieldName;
    QString m_displayLabel;
    FieldType m_type;
};

} // namespace store
