#include "editor/frmSzoKeres.h"

#include <QGuiApplication>

TfrmSzoKeres::TfrmSzoKeres(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSzoKeres"));
    // The caption is the application's title, as it stands at creation.
    setWindowTitle(QGuiApplication::applicationDisplayName());
}
