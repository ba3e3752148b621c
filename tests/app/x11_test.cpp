// What a real X server shows, checked where xvfb-run and xprop are
// installed: the exact window title (no application name appended), the
// program's icon, and a busy notice that is on screen before the work starts.
#include "mainwindow_fixture.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

using X11Test = MainWindowTest;

TEST_F(X11Test, TitleAndBusyNoticeOnARealServer)
{
    const QString xvfbRun = QStandardPaths::findExecutable(u"xvfb-run"_s);
    if (xvfbRun.isEmpty() || QStandardPaths::findExecutable(u"xprop"_s).isEmpty() ||
        QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty())
        GTEST_SKIP() << "xvfb-run, Xvfb or xprop is not installed";

    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.insert(u"HOME"_s, home.path());
    probe.setProcessEnvironment(env);
    probe.start(xvfbRun, {u"-a"_s, QStringLiteral(VELKOR_X11_PROBE), program.path()});
    ASSERT_TRUE(probe.waitForFinished(60000));
    const QString out = QString::fromUtf8(probe.readAllStandardOutput());
    const QString err = QString::fromUtf8(probe.readAllStandardError());
    ASSERT_EQ(probe.exitCode(), 0) << out.toStdString() << err.toStdString();
    EXPECT_TRUE(out.contains(u"exposed=1\n"_s)) << out.toStdString();
    EXPECT_TRUE(
        out.contains(u"_NET_WM_NAME = \"Velkor szótár és fordító: Olvasmány (angol).rtf\"\n"_s))
        << out.toStdString();
    EXPECT_TRUE(out.contains(u"busy-exposed=1\n"_s)) << out.toStdString();
    // Task bars and window switchers read the icon from here.
    EXPECT_TRUE(out.contains(u"_NET_WM_ICON = "_s)) << out.toStdString();
}

} // namespace
