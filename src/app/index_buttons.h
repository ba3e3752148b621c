#pragma once

struct AppState;
class TDM1;

// The maintenance panel's index buttons on the open dictionary: the
// operations of store/indexupkeep.h shown through the question dialog.
// Every failure is shown to the user.
void bbtnIndTorlClick(TDM1 &dm, const AppState &state);
void bbtnUjraIndClick(TDM1 &dm, const AppState &state);
