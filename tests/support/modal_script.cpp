#include "support/modal_script.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

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
