#include "cli/dictd/stored_text.h"

#include "cli/dictd/hungarian_repair.h"
#include "dialogs/textfunctions.h"

namespace dictd {

QString storedText(QStringView raw, bool repairHungarian)
{
    const QStringView trimmed = TrimBlanksView(raw);
    QString text =
        LowerHungarian(repairHungarian ? QStringView(repairHungarianAccents(trimmed)) : trimmed);
    // The FreeDict files write the apostrophe as a backtick ("doesn`t"); a
    // reader clicks "doesn't".
    text.replace(QLatin1Char('`'), QLatin1Char('\''));
    if (text.size() > kTextFieldSize) {
        qsizetype cut = kTextFieldSize;
        if (text[cut - 1].isHighSurrogate())
            --cut;
        text.truncate(cut);
        text = TrimBlanks(text);
    }
    return text;
}

} // namespace dictd
