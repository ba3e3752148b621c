#include "maintenance/import/add_pair.h"

#include "maintenance/import/known_pairs.h"
#include "platform/text/formatthousands.h"
#include "store/dictionaryformat.h"
#include "store/engine/engine_error.h"
#include "store/engine/field.h"
#include "store/engine/table.h"

namespace dictimport {

AddOutcome AddPairIfAbsent(ImportTarget &dictionary, const QString &SourceText,
                           const QString &TargetText, qint32 Counter,
                           const platform::ProgressLines &lines, KnownPairs *known)
{
    if (Counter % 100 == 0 && lines)
        lines(SourceText, FormatThousands(Counter));
    if (SourceText.isEmpty() || TargetText.isEmpty())
        return AddOutcome::EmptySide;
    const QString source = store::cutToSize(SourceText);
    const QString target = store::cutToSize(TargetText);
    const bool mayBeThere = !known || known->mayHold(source, target);
    if (mayBeThere && dictionary.table.locate(
                          dictionary.source.fieldName() + u';' + dictionary.target.fieldName(),
                          QStringList{source, target}, store::LocateOption::CaseInsensitive))
        return AddOutcome::Present;
    dictionary.table.append();
    dictionary.source.setAsString(source);
    dictionary.target.setAsString(target);
    try {
        dictionary.table.post();
    } catch (const store::EngineError &) {
        // A row left pending would be posted by the next close or order
        // change, after its batch was rolled back: a lone late line.
        dictionary.table.cancel();
        throw;
    }
    if (known)
        known->insert(source, target);
    return AddOutcome::Added;
}

} // namespace dictimport
