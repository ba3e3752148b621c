#include "platform/ini/inidocument.h"

#include "platform/codepage.h"
#include "platform/ini/inisyntax.h"

#include "platform/regularfile.h"

#include <QFileInfo>
#include <QIODevice>

#include <memory>
#include <optional>

using inisyntax::LineKind;

namespace {

// Our own settings file holds a few kilobytes; anything this large is not one.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

IniDocument IniDocument::fromBytes(QByteArrayView bytes)
{
    IniDocument doc;
    const QString text = cp1250::decode(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype lf = text.indexOf(u'\n', start);
        if (lf < 0) {
            doc.m_lines.push_back({text.sliced(start), QString()});
            break;
        }
        const bool crlf = lf > start && text[lf - 1] == u'\r';
        const qsizetype textEnd = crlf ? lf - 1 : lf;
        doc.m_lines.push_back(
            {text.sliced(start, textEnd - start), crlf ? kCrLf : QStringLiteral("\n")});
        start = lf + 1;
    }
    return doc;
}

QByteArray IniDocument::toBytes() const
{
    QString text;
    for (const Line &line : m_lines)
        text += line.text + line.ending;
    return cp1250::encode(text);
}

IniDocument IniDocument::load(const QString &path, const platform::FileAccess &files)
{
    IniDocument doc;
    const QFileInfo info(path);
    if (!info.exists())
        return doc;
    // A device never ends and a pipe blocks: look before opening.
    if (const QString special = platform::notRegularFileMessage(path); !special.isEmpty()) {
        doc.m_loadError = special;
        return doc;
    }
    if (info.size() > kMaxFileSize) {
        doc.m_loadError =
            QStringLiteral("A beállításfájl túl nagy, nem beállításfájl: %1").arg(path);
        return doc;
    }
    const std::unique_ptr<QIODevice> device = files.openForReading(path);
    if (!device->isOpen()) {
        doc.m_loadError = QStringLiteral("A beállításfájl nem olvasható: %1 (%2)")
                              .arg(path, device->errorString());
        return doc;
    }
    // Read one byte past the limit: the file may have grown since the check.
    const std::optional<QByteArray> bytes = platform::readAtMost(*device, kMaxFileSize);
    if (!bytes || bytes->size() > kMaxFileSize) {
        doc.m_loadError = QStringLiteral("A beállításfájl nem olvasható: %1 (%2)")
                              .arg(path, device->errorString());
        return doc;
    }
    doc = fromBytes(*bytes);
    return doc;
}

platform::Status IniDocument::save(const QString &path, const platform::FileAccess &files) const
{
    if (!m_loadError.isEmpty())
        return platform::Failure{
            QStringLiteral("A beállításfájlt nem írom felül, mert nem sikerült beolvasni. %1")
                .arg(m_loadError)};
    // The safe write renames over the target: it would put a file in place
    // of a device or a pipe.
    if (!QFileInfo(path).isDir()) {
        if (const QString special = platform::notRegularFileMessage(path); !special.isEmpty())
            return platform::Failure{special};
    }
    const std::unique_ptr<QIODevice> device = files.openForReplacing(path);
    if (!device->isOpen())
        return platform::Failure{
            QStringLiteral("A beállításfájl nem írható: %1 (%2)").arg(path, device->errorString())};
    const QByteArray bytes = toBytes();
    if (device->write(bytes) != bytes.size()) {
        const QString reason = device->errorString();
        files.discard(*device);
        return platform::Failure{
            QStringLiteral("A beállításfájl írása nem sikerült: %1 (%2)").arg(path, reason)};
    }
    if (!files.commit(*device))
        return platform::Failure{QStringLiteral("A beállításfájl írása nem sikerült: %1 (%2)")
                                     .arg(path, device->errorString())};
    return platform::Done{};
}

qsizetype IniDocument::findSection(QStringView section) const
{
    const QStringView wanted = inisyntax::trimmed(section);
    for (qsizetype i = 0; i < qsizetype(m_lines.size()); ++i) {
        const inisyntax::ParsedLine parsed = inisyntax::parseLine(m_lines[i].text);
        if (parsed.kind == LineKind::Section && inisyntax::sameName(parsed.name, wanted))
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < qsizetype(m_lines.size()) &&
           inisyntax::parseLine(m_lines[i].text).kind != LineKind::Section)
        ++i;
    return i;
}

qsizetype IniDocument::findKey(qsizetype header, QStringView key) const
{
    const QStringView wanted = inisyntax::trimmed(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const inisyntax::ParsedLine parsed = inisyntax::parseLine(m_lines[i].text);
        if (parsed.kind == LineKind::Entry && inisyntax::sameName(parsed.name, wanted))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    return inisyntax::unquote(inisyntax::parseLine(m_lines[line].text).value);
}

int IniDocument::readInteger(QStringView section, QStringView key, int defaultValue) const
{
    const std::optional<QString> text = value(section, key);
    if (!text)
        return defaultValue;
    return inisyntax::parseInteger(*text).value_or(defaultValue);
}

bool IniDocument::readBool(QStringView section, QStringView key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QString IniDocument::readString(QStringView section, QStringView key,
                                const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

platform::Status IniDocument::writeInteger(QStringView section, QStringView key, int value)
{
    return writeString(section, key, QString::number(value));
}

platform::Status IniDocument::writeBool(QStringView section, QStringView key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniDocument::insertLine(qsizetype at, QString text)
{
    // The line before may be the file's last one, without a line ending.
    if (at > 0 && m_lines[at - 1].ending.isEmpty())
        m_lines[at - 1].ending = kCrLf;
    m_lines.insert(m_lines.begin() + at, Line{std::move(text), kCrLf});
}

platform::Status IniDocument::writeString(QStringView section, QStringView key,
                                          const QString &value)
{
    for (const QString &problem :
         {inisyntax::sectionNameProblem(section), inisyntax::keyNameProblem(key),
          inisyntax::valueProblem(value)}) {
        if (!problem.isEmpty())
            return platform::Failure{problem};
    }
    const QString stored = inisyntax::quoteForStorage(value);
    const qsizetype header = findSection(section);
    if (header < 0) {
        const qsizetype end = qsizetype(m_lines.size());
        insertLine(end, u'[' + inisyntax::trimmed(section).toString() + u']');
        insertLine(end + 1, inisyntax::trimmed(key).toString() + u'=' + stored);
        return platform::Done{};
    }
    const qsizetype line = findKey(header, key);
    if (line >= 0) {
        // Keep the key's spelling as the file has it.
        const QString name = inisyntax::parseLine(m_lines[line].text).name.toString();
        m_lines[line].text = name + u'=' + stored;
        return platform::Done{};
    }
    // After the section's last non-blank line, before any blank separator.
    qsizetype at = sectionEnd(header);
    while (at > header + 1 && inisyntax::trimmed(m_lines[at - 1].text).isEmpty())
        --at;
    insertLine(at, inisyntax::trimmed(key).toString() + u'=' + stored);
    return platform::Done{};
}
