#pragma once

#include <QString>

#include <string>

// A dictionary of rows generated from a fixed seed: word-like English and
// Hungarian texts, several rows sharing a source now and then, written once
// per size into a temporary folder and reused by every benchmark of a run.
namespace bench {

// Folder and file name of the generated dictionary with rows rows.
QString generatedDictionary(int rows);
QString benchFolder();

// The n-th source and target text of the generator.
QString sourceWord(int n);
QString targetWord(int n);

} // namespace bench
