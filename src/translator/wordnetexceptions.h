#pragma once

#include "translator/lemma.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace translator {

// WordNet's lists of irregular forms (verb.exc, noun.exc, adj.exc, adv.exc:
// one "form base..." a line): stood → stand, mice → mouse, better → good.
class WordNetExceptions final : public LemmaAnalyser {
public:
    // Reads the lists of folder; false when verb.exc is missing or unreadable
    // (the analyser then knows nothing). Other missing lists are skipped.
    // onlyForms, when not empty: only the lines of these forms are kept, which
    // is all a lookup of them needs and spares building the whole table.
    bool load(const QString &folder, const QStringList &onlyForms = {});
    bool isEmpty() const { return m_forms.isEmpty(); }

    // Verb exceptions come first and are verb forms.
    WordAnalysis analyse(const QString &word) const override;

private:
    bool loadList(const QString &path, bool verbs, const QList<QByteArray> &onlyForms);

    QHash<QString, QList<Lemma>> m_forms;
};

} // namespace translator
