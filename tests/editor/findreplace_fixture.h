#pragma once

#include "editor/frmSzoKeres.h"
#include "support/modal_script.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QTextCursor>
#include <QTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

// A main window with one text control, the dialog over it, and every
// message of the dialog answered and recorded.
class FindDialogFixture : public testing::Test {
protected:
    FindDialogFixture()
    {
        window.resize(800, 600);
        editor->setGeometry(0, 0, 800, 600);
        window.show();
    }

    template <typename T> T *child(const char *name)
    {
        auto *widget = dialog.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void setText(const QString &text) { editor->setPlainText(text); }
    QString text() const { return editor->toPlainText(); }
    void select(int start, int length)
    {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }
    int selectionStart() const { return editor->textCursor().selectionStart(); }
    QString selectedText() const { return editor->textCursor().selectedText(); }

    void press(const char *button) { child<QPushButton>(button)->click(); }
    QString caption(const char *button) { return child<QPushButton>(button)->text(); }
    bool enabled(const char *button) { return child<QPushButton>(button)->isEnabled(); }
    void setSearch(const QString &what) { child<QComboBox>("cobMit")->setEditText(what); }
    void setReplacement(const QString &with) { child<QComboBox>("cobMire")->setEditText(with); }
    void choose(const char *radio) { child<QRadioButton>(radio)->setChecked(true); }
    QStringList history(const char *box)
    {
        QStringList items;
        auto *combo = child<QComboBox>(box);
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }
    // The one message shown since the last call, or an empty string.
    QString takeMessage()
    {
        const QString last = messages.messages.isEmpty() ? QString() : messages.messages.back();
        EXPECT_LE(messages.messages.size(), 1) << "more than one message";
        messages.messages.clear();
        return last;
    }

    QWidget window;
    QTextEdit *editor = new QTextEdit(&window);
    TfrmSzoKeres dialog{&window};
    ModalScript messages;
};
