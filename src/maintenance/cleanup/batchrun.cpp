#include "maintenance/cleanup/batchrun.h"

#include "store/dictionaryname.h"
#include "store/engine/messages.h"
#include "store/engine/table.h"

#include <QFileInfo>

namespace cleanup::detail {

NaturalFields naturalFields(const store::Table &table)
{
    const auto [first, second] = SplitDictionaryName(QFileInfo(table.tableName()).fileName());
    NaturalFields fields;
    fields.sourceName = first;
    fields.source = first.isEmpty() ? nullptr : table.findField(first);
    fields.target = second.isEmpty() ? nullptr : table.findField(second);
    if (!fields.source)
        throw store::messages::missingField(table.filePath(), first);
    if (!fields.target)
        throw store::messages::missingField(table.filePath(), second);
    return fields;
}

Batch::Batch(store::Table &table) : m_table(table)
{
    m_table.disableControls();
}

Batch::~Batch()
{
    if (!m_open)
        return;
    try {
        m_table.enableControls();
    } catch (const store::EngineError &) {
        // The failure that ended the run is the one reported.
    }
}

void Batch::finish()
{
    m_open = false;
    m_table.enableControls();
}

QString interrupted(const store::EngineError &error, bool undoable)
{
    QString message = QStringLiteral("A művelet hiba miatt félbeszakadt.\n") + error.message() +
                      QStringLiteral("\nA hiba előtt elvégzett és rögzített módosítások a "
                                     "szótárban maradtak.");
    if (undoable)
        message += QStringLiteral(" A művelet előtti állapotot az „Utolsó karbantartás "
                                  "visszavonása” gomb állítja vissza.");
    return message;
}

} // namespace cleanup::detail
