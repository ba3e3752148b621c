#pragma once

#include <QString>
#include <QStringView>

namespace dictd {

// Mends Hungarian text that went through Latin-1, which has no ő and ű and
// so left ô and û (Ô and Û) in their place. Hungarian has no ô or û of its
// own, so every one is replaced; use it on Hungarian text only, since other
// languages (the English rôle) keep theirs.
QString repairHungarianAccents(QStringView text);

// True when text holds a character that repairHungarianAccents replaces.
bool hasLatin1Damage(QStringView text);

} // namespace dictd
