#pragma once

// What the GUI benchmarks share: finding a dictionary the build converted,
// and counting a widget's paints. The including target defines
// VELKOR_SOURCE_DIR and VELKOR_BINARY_DIR.

#include <QDir>
#include <QDirIterator>
#include <QEvent>
#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace bench {

// A converted dictionary (e.g. Angol_Magyar.DB) of this build or of another
// build folder beside the sources; none when no build converted it yet.
inline std::optional<QString> builtDictionary(const QString &file)
{
    QStringList candidates{QStringLiteral(VELKOR_BINARY_DIR "/bin/") + file};
    QDirIterator builds(QStringLiteral(VELKOR_SOURCE_DIR), {QStringLiteral("build*")},
                        QDir::Dirs | QDir::NoDotAndDotDot);
    while (builds.hasNext())
        candidates << QDir(builds.next()).filePath(QStringLiteral("bin/") + file);
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return std::nullopt;
}

// Counts the paints of a widget.
class PaintWatch final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace bench
