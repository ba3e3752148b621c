#include "dialogs/safefiledialog.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeType>

namespace {

// A parent deletes its children in the order they were made.
class IconProviderHolder final : public QObject {
public:
    explicit IconProviderHolder(QObject *parent) : QObject(parent) {}
    NameOnlyIconProvider provider;
};

} // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    if (info.isRoot())
        return icon(Drive);
    if (info.isDir())
        return icon(Folder);
    const QMimeType type = m_types.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    const QIcon themed = QIcon::fromTheme(type.iconName());
    return themed.isNull() ? icon(File) : themed;
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    // Folders, links and special files are told apart by the file system.
    if (!info.isFile())
        return QFileIconProvider::type(info);
    const QMimeType type = m_types.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return type.comment().isEmpty() ? type.name() : type.comment();
}

QAbstractFileIconProvider *NewNameOnlyIconProvider(QObject &owner)
{
    return &(new IconProviderHolder(&owner))->provider;
}

SafeFileDialog::SafeFileDialog(QWidget *parent) : QFileDialog(parent)
{
    // Makes Qt's widgets and file model now, so the provider can go in.
    setOption(QFileDialog::DontUseNativeDialog);
    setIconProvider(NewNameOnlyIconProvider(*this));
}
