#include "dialogs/frmkonyvtbeker.h"

TfrmKonyvtBeker::TfrmKonyvtBeker(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmKonyvtBeker"));
}
