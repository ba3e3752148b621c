#include "translator/wordnetexceptions.h"

#include <QDir>
#include <QFile>

namespace translator {

bool WordNetExceptions::loadList(const QString &path, bool verbs)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    for (const QByteArray &line : data.split('\n')) {
        const QList<QByteArray> words = line.trimmed().split(' ');
        if (words.size() < 2 || words.front().isEmpty())
            continue;
        // Multi-word forms are written with "_"; the lookup picks single words.
        const QString form = QString::fromUtf8(words.front()).replace(u'_', u' ');
        QList<Lemma> &lemmas = m_forms[form];
        for (qsizetype i = 1; i < words.size(); ++i) {
            if (!words[i].isEmpty())
                addLemma(lemmas, Lemma{QString::fromUtf8(words[i]).replace(u'_', u' '), verbs});
        }
    }
    return true;
}

bool WordNetExceptions::load(const QString &folder)
{
    m_forms.clear();
    const QDir dir(folder);
    if (!loadList(dir.filePath(QStringLiteral("verb.exc")), true)) {
        m_forms.clear();
        return false;
    }
    for (const char *name : {"noun.exc", "adj.exc", "adv.exc"})
        loadList(dir.filePath(QLatin1String(name)), false);
    return true;
}

WordAnalysis WordNetExceptions::analyse(const QString &word) const
{
    return {m_forms.value(word), {}};
}

} // namespace translator
