#pragma once

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QFrame;
class QLabel;
class QModelIndex;
class QPushButton;
class QShowEvent;
class QSplitter;
class QTreeView;

// The folder chooser: an optional message strip, a folder tree beside the
// contents of the folder selected in it, OK and Mégsem. The tree starts at
// the file system's root and shows hidden folders too, with the home folder
// and the start folder opened. Created once at start-up and reused by every
// AskFolder.
class TfrmKonyvtBeker final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmKonyvtBeker(QWidget *parent = nullptr);
    ~TfrmKonyvtBeker() override;

    // The run's dialog: the first one created, until it is destroyed.
    static TfrmKonyvtBeker *instance();

    // True when the user confirmed with OK; folder is then the path of the
    // folder selected in the tree (the start folder when the tree has none
    // selected), and is left alone otherwise. An empty
    // message hides the strip; an empty startFolder starts where the chooser
    // started when it was created. A start folder that does not exist is
    // reported, naming it, and ends the call with false before anything shows.
    bool AskFolder(const QString &message, const QString &startFolder, QString &folder);

    // The folder selected in the tree (the last call's start folder when
    // none is).
    QString selectedFolder() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void stv1Changed(const QModelIndex &current);
    void slv1Activated(const QModelIndex &index);
    // Selects path in the tree, opening the home folder and path's parents.
    void selectFolder(const QString &path);
    // Opens path and every folder above it in the tree.
    void expandTo(const QString &path);

    QFrame *pnlUzen = nullptr;
    QLabel *lblUzen = nullptr;
    QSplitter *Splitter1 = nullptr;
    QTreeView *stv1 = nullptr;
    QTreeView *slv1 = nullptr;
    QPushButton *bbtnOk = nullptr;
    QPushButton *bbtnMegsem = nullptr;
    QFileSystemModel *m_folders = nullptr;  // the tree's: folders only
    QFileSystemModel *m_contents = nullptr; // the list's: folders and files
    QString m_defaultStart;                 // selected when the chooser was created
    QString m_start;                        // the current call's start folder
};

// AskFolder of the run's chooser (or of one made for the call when there is
// none).
bool AskFolder(const QString &message, const QString &startFolder, QString &folder);
