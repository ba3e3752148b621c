#include "dialogs/frmnevjegy.h"

TfrmNevjegy::TfrmNevjegy(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNevjegy"));
}
