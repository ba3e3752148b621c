#include "editortestsupport.h"

#include "editor/fraREEszkTar.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

TestHost::TestHost(TfraREEszkTar &frame, EditorHosts &hosts, int index)
    : frame(frame), hosts(hosts), index(index)
{
    frame.setHosts(&hosts);
    QObject::connect(&editor, &QTextEdit::textChanged, &editor,
                     [this] { NoteTextChanged(this->frame); });
}

TestHost::~TestHost()
{
    if (hosts.binding.ActiveEditor == &editor)
        hosts.binding = HostBinding{};
}

void TestHost::bind()
{
    HostBinding &b = hosts.binding;
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

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
