#pragma once

#include "store/engine/engine_error.h"

#include <QString>

// The engine's Hungarian messages. Each names the file (in native form) and,
// where one is involved, the field or index.
namespace store::messages {

EngineError notFound(const QString &path);
EngineError isDirectory(const QString &path);
EngineError noReadPermission(const QString &path);
EngineError notDictionary(const QString &path, const QString &reason);
EngineError missingField(const QString &path, const QString &field);
EngineError noIndex(const QString &path, const QString &field);
EngineError noSuchIndex(const QString &path, const QString &index);
EngineError indexExists(const QString &path, const QString &index);
EngineError readOnly(const QString &path);
EngineError notOpen(const QString &path);
EngineError mustBeClosed(const QString &path, const QString &what);
EngineError notEditing(const QString &path);
EngineError nothingToDelete(const QString &path);
EngineError alreadyExists(const QString &path);
EngineError inUse(const QString &path);
EngineError duplicateKey(const QString &path, qint64 key);
EngineError keyOutOfRange(const QString &path, qint64 key);
EngineError cannotDelete(const QString &path);
EngineError deletedMeanwhile(const QString &path);
EngineError needsRecovery(const QString &path);
EngineError cannotInstall(const QString &path);
// The reason SQLite's result code gives, in a few Hungarian words.
QString sqliteReason(int code);
// code is an SQLite (extended) result code, detail SQLite's own text.
EngineError fromSqlite(const QString &path, int code, const QString &detail);

} // namespace store::messages
