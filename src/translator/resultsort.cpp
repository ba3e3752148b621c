#include "translator/resultsort.h"

#include <QCollator>

#include <algorithm>

namespace translator {

void SortResultLines(TResultLists &lists)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (TTalalat &list : lists) {
        const auto begin = list.Items.begin();
        std::sort(begin, begin + list.Count, [&collator](const QString &a, const QString &b) {
            return collator.compare(a, b) < 0;
        });
    }
}

} // namespace translator
