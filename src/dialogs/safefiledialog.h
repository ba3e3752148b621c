#pragma once

#include <QFileDialog>
#include <QFileIconProvider>
#include <QMimeDatabase>

// Icons and type texts of files from their names and kinds alone. Qt's own
// provider reads the first bytes of every regular file whose name says
// nothing of its type; a file whose read blocks (/proc/kmsg, a device, a
// pipe) then stalls the file model, and with it the type database that the
// whole program shares.
class NameOnlyIconProvider final : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;

private:
    QMimeDatabase m_types;
};

// A NameOnlyIconProvider that owner deletes. Give it only to file models
// that are children of owner made before this call: owner deletes them
// first, and they stop their reading threads before the provider goes.
QAbstractFileIconProvider *NewNameOnlyIconProvider(QObject &owner);

// Qt's own file dialog (never the platform's), listing files with a
// NameOnlyIconProvider, so it never opens a file it shows. Build one only
// when it is about to be shown: a file dialog starts reading its folder as
// soon as it exists.
class SafeFileDialog final : public QFileDialog {
public:
    explicit SafeFileDialog(QWidget *parent);
};
