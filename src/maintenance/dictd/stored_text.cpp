#include "maintenance/dictd/stored_text.h"

#include "maintenance/dictd/hungarian_repair.h"
#include "platform/text/textfunctions.h"
#include "store/dictionaryformat.h"

namespace dictd {

QString storedText(QStringView raw, bool repairHungarian)
{
    const QStringView trimmed = TrimBlanksView(raw);
    QString text =
        LowerHungarian(repairHungarian ? QStringView(repairHungarianAccents(trimmed)) : trimmed);
    // The FreeDict files write the apostrophe as a backtick ("doesn`t"); a
    // reader clicks "doesn't".
    text.replace(QLatin1Char('`'), QLatin1Char('\''));
    if (text.size() > store::kTextFieldSize)
        text = TrimBlanks(store::cutToSize(text));
    return text;
}

} // namespace dictd
