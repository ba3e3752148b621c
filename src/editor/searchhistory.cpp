#include "editor/searchhistory.h"

void AddToHistoryList(QStringList &history, const QString &text)
{
    history.prepend(text);
    const qsizetype older = history.indexOf(text, 1);
    if (older > 0)
        history.removeAt(older);
    if (history.size() > kSearchHistoryLimit)
        history.removeAt(kSearchHistoryLimit);
}
