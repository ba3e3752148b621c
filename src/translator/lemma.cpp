#include "translator/lemma.h"

namespace translator {

void addLemma(QList<Lemma> &lemmas, const Lemma &lemma)
{
    for (Lemma &kept : lemmas) {
        if (kept.text == lemma.text) {
            kept.verbForm = kept.verbForm || lemma.verbForm;
            kept.derived = kept.derived || lemma.derived;
            return;
        }
    }
    lemmas.append(lemma);
}

} // namespace translator
