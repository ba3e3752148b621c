#pragma once

#include "store/storeresult.h"

#include <QString>

#include <functional>

struct AppState;
class TDM1;

namespace platform {
class Prompts;
}

namespace store {

// Opens the dictionary file path in dm for the lookup, the grid and the
// maintenance tools. In order:
// - test-opens the file on tblEllen; a file that will not open fails here
//   with the state and the open dictionary unchanged;
// - sets DatabaseDir, DatabasePath and DictionaryFile of state from path;
// - asks secondToFirst(file name of path) for the direction (true: from the
//   second language to the first), so that the caller can show and read its
//   choice only for a file that opens;
// - closes tblSzotarP, applies the direction (FromColumn, ToColumn,
//   ToColumnIndex) and opens tblSzotarP on the file;
// - rebuilds the indexes through prompts when the ".nip" marker exists or
//   ordering by a language column fails;
// - leaves tblSzotarP open in FromColumn order on its first row, and
//   tblSzotarP2 bound to the file (closed), ordered by FromColumn when it can.
// A failure after the test open leaves tblSzotarP closed.
Status OpenDictionary(TDM1 &dm, AppState &state, const QString &path,
                      const std::function<bool(const QString &fileName)> &secondToFirst,
                      platform::Prompts &prompts);

} // namespace store
