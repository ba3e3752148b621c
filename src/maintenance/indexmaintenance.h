#pragma once

#include <QString>

struct AppState;
class TDM1;

// Upkeep of the two case-insensitive indexes of the open dictionary, named
// "i" + column name.

// Drops both indexes, rebuilds them with a busy notice, removes the ".nip"
// rebuild marker and opens the table again. When creating an index fails,
// the notice is taken down, the cursor restored, the table reopened if it
// can be, and the engine's error is thrown on to the caller.
void RebuildIndexes(TDM1 &dm, const AppState &state);

// The maintenance panel's two buttons; errors are shown to the user.
void bbtnIndTorlClick(TDM1 &dm, const AppState &state);
void bbtnUjraIndClick(TDM1 &dm, const AppState &state);
