#include "store/engine/field.h"

#include "store/engine/messages.h"
#include "store/engine/table.h"

namespace store {

QString cutToSize(const QString &text, int size)
{
    if (size <= 0 || text.size() <= size)
        return text;
    qsizetype length = size;
    if (text[length - 1].isHighSurrogate())
        --length;
    return text.left(length);
}

Field::Field(Table &table, const QString &fieldName, FieldType type)
    : m_table(table), m_fieldName(fieldName), m_type(type)
{}

void Field::setFieldName(const QString &name)
{
    if (m_table.isOpen())
        throw messages::mustBeClosed(m_table.filePath(), QStringLiteral("A mező átnevezése"));
    m_fieldName = name;
}

QString Field::asString() const
{
    return m_table.fieldText(*this);
}

void Field::setAsString(const QString &text)
{
    m_table.setFieldText(*this, text);
}

std::int32_t Field::asInteger() const
{
    return asString().toInt();
}

void Field::setAsInteger(std::int32_t value)
{
    m_table.setFieldText(*this, QString::number(value));
}

} // namespace store
