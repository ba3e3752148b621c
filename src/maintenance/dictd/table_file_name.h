#pragma once

#include <QString>

#include <optional>

namespace dictd {

// The two language field names of a dictionary table file.
struct TableLanguages {
    QString first;  // the field of the headwords
    QString second; // the field of the translations
};

// The languages of a table file name "First_Second.DB" (a number before the
// extension is allowed and not part of the second name, as in
// Nemet_Portugal1.DB). The directory part is ignored. Nothing for a name that
// does not end in ".DB", has another ".", has no "_", or whose two names are
// empty, equal, or "Azon".
std::optional<TableLanguages> languagesOfTableFile(const QString &path);

} // namespace dictd
