#include "generated_dictd.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>

namespace bench {
namespace {

class Random {
public:
    explicit Random(std::uint64_t seed) : m_x(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t next()
    {
        m_x ^= m_x >> 12;
        m_x ^= m_x << 25;
        m_x ^= m_x >> 27;
        return m_x * 2685821657736338717ull;
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }

private:
    std::uint64_t m_x;
};

QByteArray word(Random &random, const char16_t *letters, int letterCount)
{
    QString text;
    const int length = 3 + random.below(9);
    for (int i = 0; i < length; ++i)
        text.append(QChar(letters[random.below(letterCount)]));
    return text.toUtf8();
}

QByteArray englishWord(Random &random)
{
    static constexpr char16_t kLetters[] = u"abcdefghijklmnopqrstuvwxyzeeaaiioo";
    return word(random, kLetters, 34);
}

QByteArray hungarianWord(Random &random)
{
    static constexpr char16_t kLetters[] = u"aábcdeéfghiíjklmnoóöőprstuúüűvz";
    QByteArray text = word(random, kLetters, 31);
    // Some translations are phrases of two words.
    if (random.below(4) == 0)
        text += ' ' + word(random, kLetters, 31);
    return text;
}

QByteArray indexNumber(std::int64_t value)
{
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QByteArray out;
    do {
        out.prepend(kDigits[value % 64]);
        value /= 64;
    } while (value > 0);
    return out;
}

QString folder()
{
    static QTemporaryDir dir;
    return dir.path();
}

void write(const GeneratedDictd &made)
{
    QFile index(made.indexPath);
    QFile dict(made.dictPath);
    QFile pairs(made.pairsPath);
    if (!index.open(QIODevice::WriteOnly) || !dict.open(QIODevice::WriteOnly) ||
        !pairs.open(QIODevice::WriteOnly))
        qFatal("cannot write the generated dictionary in %s", qPrintable(folder()));
    Random random(20261210);
    std::int64_t offset = 0;
    std::int64_t written = 0;
    QByteArray headword;
    while (written < made.pairs) {
        // Every twentieth entry is a second one of the headword before.
        if (headword.isEmpty() || random.below(20) != 0)
            headword = englishWord(random);
        const int count = 1 + random.below(6);
        QList<QByteArray> translations;
        for (int i = 0; i < count && written < made.pairs; ++i, ++written) {
            const int kind = random.below(50);
            if (kind == 0 && !translations.isEmpty())
                translations.append(translations.front()); // given twice
            else if (kind == 1 && !translations.isEmpty())
                translations.append(translations.back().toUpper()); // in capitals
            else
                translations.append(hungarianWord(random));
        }
        QByteArray entry = headword + " /ˈ" + headword + "/\n";
        if (translations.size() == 1) {
            entry += translations.front() + '\n';
        } else {
            for (int i = 0; i < translations.size(); ++i)
                entry += QByteArray::number(i + 1) + ". " + translations[i] + '\n';
        }
        for (const QByteArray &translation : translations)
            pairs.write(headword + '\t' + translation + '\n');
        index.write(headword + '\t' + indexNumber(offset) + '\t' + indexNumber(entry.size()) +
                    '\n');
        dict.write(entry);
        offset += entry.size();
    }
}

} // namespace

GeneratedDictd generatedDictd(std::int64_t pairs)
{
    static std::map<std::int64_t, GeneratedDictd> made;
    if (auto it = made.find(pairs); it != made.end())
        return it->second;
    const QString base = QDir(folder()).filePath(QStringLiteral("gen%1").arg(pairs));
    GeneratedDictd dictionary{base + QStringLiteral(".index"), base + QStringLiteral(".dict"),
                              base + QStringLiteral(".tsv"), pairs};
    write(dictionary);
    made.emplace(pairs, dictionary);
    return dictionary;
}

} // namespace bench
