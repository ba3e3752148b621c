#include "app/index_buttons.h"

#include "dialogs/widgetprompts.h"
#include "store/appstate.h"
#include "store/dm1.h"
#include "store/indexupkeep.h"

void bbtnIndTorlClick(TDM1 &dm, const AppState &state)
{
    WidgetPrompts prompts;
    store::DropIndexes(dm.tblSzotarP, state.FromColumn, state.ToColumn, prompts);
}

void bbtnUjraIndClick(TDM1 &dm, const AppState &state)
{
    WidgetPrompts prompts;
    const platform::Status rebuilt =
        store::RebuildIndexes(dm.tblSzotarP, state.FromColumn, state.ToColumn, prompts);
    if (!rebuilt)
        prompts.info(rebuilt.error());
}
