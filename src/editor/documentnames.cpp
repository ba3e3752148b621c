#include "editor/documentnames.h"

#include "platform/text/textfunctions.h"
#include "editor/hostbinding.h"

namespace {

qsizetype fileNameStart(const QString &path)
{
    return path.lastIndexOf(u'/') + 1;
}

// Index of the extension's dot, or -1 when the file name part has none.
qsizetype extensionDot(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= fileNameStart(path) ? dot : -1;
}

} // namespace

QString DirectoryWithSeparator(const QString &path)
{
    return path.left(fileNameStart(path));
}

QString DirectoryOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return {};
    return slash == 0 ? path.left(1) : path.left(slash);
}

QString FileNamePart(const QString &path)
{
    return path.mid(fileNameStart(path));
}

QString ExtensionOf(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : path.mid(dot);
}

QString WithExtension(const QString &path, const QString &ext)
{
    if (FileNamePart(path).isEmpty())
        return path;
    const qsizetype dot = extensionDot(path);
    return (dot < 0 ? path : path.left(dot)) + ext;
}

QString NewDocumentName(const QString &previousName, int counter)
{
    return DirectoryWithSeparator(previousName) + DefaultDocName + QString::number(counter);
}

QString SavedName(const QString &chosen, int filterIndex)
{
    const bool rtf = ExtensionOf(chosen).compare(u".rtf", Qt::CaseInsensitive) == 0;
    if (filterIndex == kFilterRtf && !rtf)
        return chosen + QStringLiteral(".rtf");
    if (filterIndex == kFilterText && rtf)
        return WithExtension(chosen, QStringLiteral(".txt"));
    return chosen;
}

QString NameForFileType(const QString &name, int filterIndex)
{
    if (filterIndex == kFilterRtf)
        return WithExtension(name, QStringLiteral(".rtf"));
    if (filterIndex == kFilterText)
        return WithExtension(name, QStringLiteral(".txt"));
    return name;
}

QString OverwriteQuestion(const QString &path)
{
    return QStringLiteral("A fájl már létezik:\n") + FileNamePart(path) +
           QStringLiteral("\nFelülírjam?");
}

QString ModifiedQuestion(const QString &docName)
{
    return WithArticle(FileNamePart(docName)) +
           QStringLiteral(" tartalma megváltozott.\nMented a változásokat?");
}
