#include "editortestsupport.h"

#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

TestHost::TestHost(TfraREEszkTar &frame, int index) : frame(frame), index(index)
{
    QObject::connect(&editor, &QTextEdit::textChanged, &editor,
                     [this] { NoteTextChanged(this->frame); });
}

void TestHost::bind()
{
    HostBinding &b = ActiveBinding();
    b.ActiveEditor = &editor;
    b.ActiveHostIndex = index;
    b.ActiveDocName = &docName;
    b.ActiveDocHasFile = &hasFile;
    b.OnDocumentLoaded = [this](QObject *) { ++loaded; };
    b.OnDocumentSavedAs = [this](QObject *) { ++savedAs; };
}

void TestHost::setText(const QString &text, bool modified)
{
    editor.setPlainText(text);
    editor.document()->setModified(modified);
}

std::optional<QString> ScriptedDialogs::chooseOpen(const QString &directory,
                                                   const QString &fileName)
{
    openCalls.push_back({directory, fileName});
    if (openAnswers.empty())
        return std::nullopt;
    const QString answer = openAnswers.front();
    openAnswers.pop_front();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

std::optional<SaveChoice> ScriptedDialogs::chooseSave(const QString &directory,
                                                      const QString &fileName)
{
    saveCalls.push_back({directory, fileName});
    if (saveAnswers.empty())
        return std::nullopt;
    const SaveChoice answer = saveAnswers.front();
    saveAnswers.pop_front();
    if (answer.fileName.isEmpty())
        return std::nullopt;
    return answer;
}

ModalScript::ModalScript(QStringList buttons) : m_buttons(buttons.begin(), buttons.end())
{
    qApp->installEventFilter(this);
}

ModalScript::~ModalScript()
{
    qApp->removeEventFilter(this);
}

bool ModalScript::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        const auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow() && widget->isModal())
            QTimer::singleShot(0, this, [this] { answer(0); });
    }
    return QObject::eventFilter(watched, event);
}

void ModalScript::answer(int attempt)
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible()) {
        if (attempt < 100)
            QTimer::singleShot(5, this, [this, attempt] { answer(attempt + 1); });
        return;
    }
    if (const auto *label = dialog->findChild<QLabel *>(QStringLiteral("lblKerdes")))
        messages.append(label->text());
    QString name;
    if (!m_buttons.empty()) {
        name = m_buttons.front();
        m_buttons.pop_front();
    } else {
        ++unexpected;
        const auto *cancel = dialog->findChild<QPushButton *>(QStringLiteral("bbtnMegsem"));
        name =
            cancel && cancel->isVisible() ? QStringLiteral("bbtnMegsem") : QStringLiteral("bbtnOk");
    }
    if (auto *button = dialog->findChild<QPushButton *>(name))
        button->click();
    else
        dialog->close();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
