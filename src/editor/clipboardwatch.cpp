#include "editor/clipboardwatch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextEdit>

ClipboardWatch::ClipboardWatch(QObject *parent) : QObject(parent)
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &ClipboardWatch::refreshClipboard);
    refreshClipboard();
}

bool ClipboardWatch::hasSelection(QTextEdit &editor)
{
    if (m_editor != &editor)
        follow(editor);
    return m_hasSelection;
}

void ClipboardWatch::refreshClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    m_clipboardHasText = data && data->hasText();
}

void ClipboardWatch::follow(QTextEdit &editor)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_editorConnections))
        disconnect(connection);
    m_editorConnections.clear();
    m_editor = &editor;
    // The text change is for a document rewritten underneath the editor, in
    // case the control reports no selection change for it.
    m_editorConnections = {
        connect(&editor, &QTextEdit::selectionChanged, this, &ClipboardWatch::refreshSelection),
        connect(&editor, &QTextEdit::textChanged, this, &ClipboardWatch::refreshSelection),
    };
    refreshSelection();
}

void ClipboardWatch::refreshSelection()
{
    m_hasSelection = m_editor && m_editor->textCursor().hasSelection();
}
