#pragma once

#include <QString>
#include <QStringList>

// Both history lists of the find and replace dialog hold at most this many texts.
inline constexpr int kSearchHistoryLimit = 50;

// Puts text at the top of history and drops the first older entry equal to
// it (case counts); a list grown beyond the limit loses its last entry.
void AddToHistoryList(QStringList &history, const QString &text);
