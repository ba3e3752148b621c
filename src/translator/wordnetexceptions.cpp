#include "translator/wordnetexceptions.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace translator {

bool WordNetExceptions::loadList(const QString &path, bool verbs,
                                 const QList<QByteArray> &onlyForms)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    for (const QByteArray &line : data.split('\n')) {
        if (!onlyForms.isEmpty() &&
            std::none_of(onlyForms.begin(), onlyForms.end(), [&](const QByteArray &form) {
                return QByteArrayView(line).trimmed().startsWith(form);
            }))
            continue;
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

bool WordNetExceptions::load(const QString &folder, const QStringList &onlyForms)
{
    m_forms.clear();
    // A line starts with its form, spaces written as "_", and a space. The
    // test only passes lines by; they are read as before.
    QList<QByteArray> starts;
    for (const QString &form : onlyForms)
        starts << QString(form).replace(u' ', u'_').toUtf8() + ' ';
    const QDir dir(folder);
    if (!loadList(dir.filePath(QStringLiteral("verb.exc")), true, starts)) {
        m_forms.clear();
        return false;
    }
    for (const char *name : {"noun.exc", "adj.exc", "adv.exc"})
        loadList(dir.filePath(QLatin1String(name)), false, starts);
    return true;
}

WordAnalysis WordNetExceptions::analyse(const QString &word) const
{
    return {m_forms.value(word), {}};
}

} // namespace translator
