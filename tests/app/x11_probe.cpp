// Starts the main window as the program does, on a real X server, and
// reports what the window system shows: the title the server holds for the
// main window and its icon (read back with xprop) and whether a busy notice is on screen
// when ShowBusy returns. Run by x11_test under xvfb-run.
//   x11_probe PROGRAM_DIR
#include "app/applicationsetup.h"
#include "app/frmszotarqiv.h"
#include "app/reportingapplication.h"
#include "dialogs/frmvalasz.h"
#include "dialogs/questions.h"
#include "store/dm1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

bool waitForExposed(const QWidget &widget)
{
    QElapsedTimer waited;
    waited.start();
    while (!(widget.windowHandle() && widget.windowHandle()->isExposed()) &&
           waited.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return widget.windowHandle() && widget.windowHandle()->isExposed();
}

} // namespace

int main(int argc, char *argv[])
{
    ReportingApplication app(argc, argv);
    SetUpApplication(app);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2)
        return 2;
    QTextStream out(stdout);
    // A dialog left open would hold the probe for ever; the timer fires in
    // its loop too.
    QTimer::singleShot(30000, [] { std::_Exit(3); });

    std::optional<TDM1> dm1;
    TfrmSzotarQIV window({}, QDir(args[1]).filePath(QStringLiteral("velkor-szotar")));
    TfrmValasz frmValasz(&window);
    dm1.emplace();
    window.setDataModule(&*dm1);
    window.show();
    out << "exposed=" << int(waitForExposed(window)) << '\n';
    // Let the title reach the server.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QCoreApplication::processEvents();
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("-notype"),
                 QStringLiteral("_NET_WM_NAME")});
    xprop.waitForFinished(10000);
    out << QString::fromUtf8(xprop.readAllStandardOutput());
    // The icon as the server holds it; only its first line (the rest draws it).
    QProcess iconProp;
    iconProp.start(QStringLiteral("xprop"),
                   {QStringLiteral("-id"), QString::number(window.winId()),
                    QStringLiteral("-notype"), QStringLiteral("_NET_WM_ICON")});
    iconProp.waitForFinished(10000);
    out << QString::fromUtf8(iconProp.readAllStandardOutput()).section(u'\n', 0, 0) << '\n';

    ShowBusy(QStringLiteral("Indexelés folyamatban"));
    const QWindow *notice = frmValasz.windowHandle();
    out << "busy-exposed=" << int(notice && notice->isExposed()) << '\n';
    HideBusy();
    out.flush();
    return 0;
}
