#pragma once

#include "maintenance/cleanup/reporting.h"
#include "platform/result.h"

namespace store {
class Table;
}

// The clean-ups of the open dictionary. Each works on the dictionary's two
// language columns as its file name gives them (First_Second.DB: source
// First, target Second), refuses a read-only dictionary before asking
// anything, saves the dictionary's rolling backup before its first change,
// and groups its writes into batches: when a write fails (a full disk) the
// batches committed before stay, the busy notice goes and the message says
// that "Utolsó karbantartás visszavonása" brings the dictionary back.
namespace cleanup {

// "to" törlése: after "Biztosan törlöd to-kat?", every row whose trimmed
// source text is "to " + one word w either goes (when an entry w with the
// same target text exists, letter case counting) or gets w as its source.
// main and second are two cursors on the same file (second closed; it is
// opened for the run and closed after). Progress every 100 rows.
platform::Result<Outcome> RemoveToPrefixes(store::Table &main, store::Table &second,
                                           const Reporting &reporting);

// Magányos betű törlése: without a question, deletes for each letter a..z
// the rows whose source is the letter and whose target is the letter itself
// or the letter + " (betű)". Goes through every row equal to the letter in
// any letter case, so rows of the capital letter sorted first do not hide
// the small ones; only the small letter's rows are deleted.
platform::Result<Outcome> RemoveLoneLetters(store::Table &table, const Reporting &reporting);

// DOS ékezet konvertálás Windows-ra: after "Biztos elindítod a DOS ékezet
// konvertálást?", DosToWindowsAccents on every source text (key order,
// progress "n/totalA") and then every target text ("n/totalM"), every 100
// rows. Leaves the table in key order.
platform::Result<Outcome> ConvertDosAccents(store::Table &table, const Reporting &reporting);

} // namespace cleanup
