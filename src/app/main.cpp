#include "app/applicationsetup.h"
#include "app/frmszotarqiv.h"
#include "app/reportingapplication.h"
#include "dialogs/frmkonyvtbeker.h"
#include "dialogs/frmnevjegy.h"
#include "dialogs/frmsorbeker.h"
#include "dialogs/frmvalasz.h"
#include "editor/frmSzoKeres.h"
#include "store/dm1.h"

#include <optional>

int main(int argc, char *argv[])
{
    ReportingApplication app(argc, argv);
    SetUpApplication(app);

    // The windows in their fixed order, the data module last: the main
    // window's start-up needs the tables only when it is first shown. The
    // data module's storage comes first so that it outlives the windows
    // that work on it.
    std::optional<TDM1> dm1;
    TfrmSzotarQIV frmSzotarQIV(QApplication::arguments().mid(1));
    TfrmValasz frmValasz(&frmSzotarQIV);
    TfrmSzoKeres frmSzoKeres(&frmSzotarQIV);
    TfrmSorBeker frmSorBeker(&frmSzotarQIV);
    TfrmKonyvtBeker frmKonyvtBeker(&frmSzotarQIV);
    // The about box's links fall back to the README among the shipped files.
    TfrmNevjegy frmNevjegy(&frmSzotarQIV, frmSzotarQIV.state().ProgramDir);
    dm1.emplace();
    frmSzotarQIV.setDataModule(&*dm1);

    frmSzotarQIV.show();
    return QApplication::exec();
}
