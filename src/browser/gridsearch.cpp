#include "browser/gridsearch.h"

#include "platform/text/textfunctions.h"
#include "store/engine/table.h"

using store::LocateOption;

QString SearchFieldFor(const QString &orderField, const QString &fromColumn,
                       const QString &toColumn)
{
    return orderField == toColumn ? toColumn : fromColumn;
}

SearchOutcome SearchDictionary(store::Table &table, const QString &field, const QString &text)
{
    if (TrimBlanksView(text).isEmpty())
        return SearchOutcome::Blank;
    const store::LocateOptions whole = LocateOption::CaseInsensitive;
    const store::LocateOptions prefix = whole | LocateOption::PartialKey;
    if (table.locate(field, text, whole))
        return SearchOutcome::Exact;
    if (table.locate(field, text, prefix))
        return SearchOutcome::Prefix;
    for (qsizetype n = text.size() - 1; n > 0; --n) {
        if (table.locate(field, text.left(n), prefix))
            return SearchOutcome::Shortened;
    }
    return SearchOutcome::NotFound;
}
