#pragma once

#include <QString>

namespace dictd {

struct ConvertReport;

// The free English dictionaries write some headwords with their irregular
// forms: "to eat, ate, eaten", "child, children". For an English source
// field (report.sourceField "Angol") such a headword gives its first item
// alone, so that "to eat" and "child" are found exactly, and the split is
// counted in report.headwordsSplit. Any other headword, phrases with commas
// among them ("now, now!", "bon vivant, bons vivants"), comes back as it is.
QString WithoutIrregularForms(const QString &headword, ConvertReport &report);

} // namespace dictd
