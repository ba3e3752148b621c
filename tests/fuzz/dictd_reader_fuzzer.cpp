// libFuzzer entry for a whole dictd dictionary: the input up to its first NUL
// byte is the index, the rest the data file (dictzip, gzip or plain, told by
// its content). The reader must end within the fuzzer's time and memory
// limits however the index points into the data.
#include "maintenance/dictd/dictd_reader.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

bool writeFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // One folder for the whole run; each input overwrites the two files.
    static const QTemporaryDir dir;
    const QByteArrayView input(data, static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArrayView index = split < 0 ? input : input.first(split);
    const QByteArrayView dict = split < 0 ? QByteArrayView() : input.sliced(split + 1);
    const QString indexPath = dir.filePath(QStringLiteral("f.index"));
    const QString dictPath = dir.filePath(QStringLiteral("f.dict.dz"));
    if (!writeFile(indexPath, index) || !writeFile(dictPath, dict))
        return 0;

    auto reader = dictd::DictdReader::open(indexPath, dictPath);
    if (!reader)
        return 0;
    std::int64_t translations = 0;
    (void)reader->forEachEntry(
        [&](const dictd::DictdEntry &entry) { translations += entry.translations.size(); });
    return 0;
}
