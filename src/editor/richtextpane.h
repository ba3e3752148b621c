#pragma once

#include <QTextEdit>

// The rich text control of both panes. Rich text pasted or dropped into it
// keeps its formatting, but the pictures it refers to are never read: a
// "file:" source could name any local file (or a device that never ends),
// and a relative one a file in the working directory. Pictures carried in
// the text itself ("data:" sources) are shown.
class RichTextPane final : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextPane(QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;
};
