#pragma once

#include <QTextEdit>

// The rich text control of both panes. Rich text pasted or dropped into it
// keeps its formatting, but the pictures it refers to are never read: a
// "file:" source could name any local file (or a device that never ends),
// and a relative one a file in the working directory. Pictures carried in
// the text itself ("data:" sources) are shown, and a picture put on the
// clipboard as image data is pasted as a picture. A large document of plain
// paragraphs is laid out lazily (LazyTextLayout), only where it is shown.
class RichTextPane final : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextPane(QWidget *parent = nullptr);

    // Documents of at least this many characters are laid out lazily when
    // they hold nothing but paragraphs; below half of it Qt's layout returns.
    static constexpr int kLazyLayoutFrom = 1 << 20;

    QVariant loadResource(int type, const QUrl &name) override;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // Switches between the lazy layout and Qt's own one as the document grows,
    // shrinks or gains a list, table or picture.
    void chooseLayout();

    int m_pastedImages = 0;
    bool m_switchingLayout = false;
};
