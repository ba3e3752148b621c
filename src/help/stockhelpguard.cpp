#include "help/stockhelpguard.h"

#include "dialogs/questions.h"
#include "editor/documentnames.h"

#include <QFileInfo>

QString StockHelpRefusal()
{
    return QStringLiteral("A módosított súgófájl nem menthető ezen a néven.\nAdj meg más nevet");
}

StockHelpGuard::StockHelpGuard(std::unique_ptr<FileDialogs> inner,
                               std::function<bool(const QString &)> isStock)
    : m_inner(std::move(inner)), m_isStock(std::move(isStock))
{}

std::optional<QString> StockHelpGuard::chooseOpen(const QString &directory, const QString &fileName)
{
    return m_inner->chooseOpen(directory, fileName);
}

std::optional<SaveChoice> StockHelpGuard::chooseSave(const QString &directory,
                                                     const QString &fileName)
{
    QString dir = directory;
    QString name = fileName;
    for (;;) {
        std::optional<SaveChoice> choice = m_inner->chooseSave(dir, name);
        if (!choice || !m_isStock(SavedName(choice->fileName, choice->filterIndex)))
            return choice;
        ShowInfo(StockHelpRefusal());
        const QFileInfo chosen(choice->fileName);
        dir = chosen.absolutePath();
        name = chosen.fileName();
    }
}
