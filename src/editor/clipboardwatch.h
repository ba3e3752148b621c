#pragma once

#include <QObject>
#include <QPointer>

class QTextEdit;

// What the clipboard buttons show, kept up to date by signals so that the
// 20 ms refresh of the buttons only reads two booleans: whether the system
// clipboard holds text (asking the clipboard can be slow on some platforms)
// and whether the followed editor has a selection.
class ClipboardWatch final : public QObject {
    Q_OBJECT
public:
    explicit ClipboardWatch(QObject *parent = nullptr);

    bool clipboardHasText() const { return m_clipboardHasText; }
    // Whether editor has a selection; the first call for an editor starts
    // following it instead of the previous one.
    bool hasSelection(QTextEdit &editor);

private:
    void refreshClipboard();
    void follow(QTextEdit &editor);
    void refreshSelection();

    bool m_clipboardHasText = false;
    QPointer<QTextEdit> m_editor;
    bool m_hasSelection = false;
    QList<QMetaObject::Connection> m_editorConnections;
};
