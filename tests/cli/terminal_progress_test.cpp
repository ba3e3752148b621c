#include "cli/terminal_progress.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

TEST(TerminalProgress, WritesNothingWhenStandardErrorIsNotATerminal)
{
    QString text;
    QTextStream err(&text);
    {
        cli::TerminalProgress bar(err, false);
        bar.update(5, 10);
        bar.finish();
    }
    EXPECT_TRUE(text.isEmpty());
}

TEST(TerminalProgress, RedrawsOnlyWhenThePercentChangesAndClearsItsLine)
{
    QString text;
    QTextStream err(&text);
    cli::TerminalProgress bar(err, true);
    bar.update(1, 1000); // 0%
    bar.update(2, 1000); // still 0%
    bar.update(500, 1000);
    const QString drawn = text;
    EXPECT_EQ(drawn.count(u'\r'), 2);
    EXPECT_TRUE(drawn.endsWith(QStringLiteral(" 50%"))) << drawn.toStdString();
    EXPECT_EQ(drawn.count(u'#'), 20);

    bar.finish();
    EXPECT_TRUE(text.endsWith(u'\r'));
    EXPECT_EQ(text.mid(drawn.size()).trimmed(), QString());
}

TEST(TerminalProgress, CountsThousandsWhenTheTotalIsUnknown)
{
    QString text;
    QTextStream err(&text);
    cli::TerminalProgress bar(err, true);
    bar.callback()(12345, 0);
    err.flush();
    EXPECT_TRUE(text.endsWith(QStringLiteral("12 ezer"))) << text.toStdString();
}

} // namespace
