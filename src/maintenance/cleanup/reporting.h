#pragma once

#include "platform/progress.h"
#include "store/dictionaryfiles.h"

#include <QString>

#include <functional>
#include <utility>

namespace platform {
class Prompts;
}

namespace cleanup {

// How a batch operation talks to whoever started it. Only prompts is
// required; the program paints lines on its panel, the command-line tool
// draws progress as a bar.
struct Reporting {
    Reporting(platform::Prompts &prompts_, platform::Progress progress_ = {},
              platform::ProgressLines lines_ = {}, std::function<void()> beforeWork_ = {})
        : prompts(prompts_), progress(std::move(progress_)), lines(std::move(lines_)),
          beforeWork(std::move(beforeWork_))
    {}

    platform::Prompts &prompts;
    platform::Progress progress; // rows done of rows in all
    platform::ProgressLines lines;
    // Runs after the question and the busy notice, before any row is read
    // (the program puts the dictionary back into its natural direction).
    std::function<void()> beforeWork;

    void report(qint64 done, qint64 total) const
    {
        // Rows changed during a pass may be met again: never past the end.
        if (progress)
            progress(total > 0 && done > total ? total : done, total);
    }
    void show(const QString &text, const QString &counter) const
    {
        if (lines)
            lines(text, counter);
    }
};

// What a batch operation did: nothing when the question was declined.
struct Outcome {
    store::FileCommand command = store::FileCommand::Done;
    qint64 rows = 0;    // rows gone through
    qint64 changed = 0; // rows written with new text
    qint64 deleted = 0; // rows deleted
};

} // namespace cleanup
