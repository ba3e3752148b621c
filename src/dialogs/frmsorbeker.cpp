#include "dialogs/frmsorbeker.h"

TfrmSorBeker::TfrmSorBeker(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSorBeker"));
}
