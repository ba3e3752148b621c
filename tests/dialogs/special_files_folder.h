#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A folder holding files that a file list must not open: a pipe no one
// writes to (opening it for reading blocks) and "adat", a file whose name
// says nothing of its type, starting like a PDF document (read, it would be
// listed as one). Should a test still run after a while, a watchdog opens
// the pipe for writing and closes it again, which lets a blocked reader go:
// the test then fails instead of hanging.
class SpecialFilesFolder final {
public:
    SpecialFilesFolder()
    {
        EXPECT_TRUE(m_dir.isValid());
        EXPECT_EQ(mkfifo(QFile::encodeName(pipe()).constData(), 0600), 0);
        QFile file(path(QStringLiteral("adat")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n");
        m_watchdog = std::thread([this] { watch(); });
    }

    ~SpecialFilesFolder()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_watchdog.join();
    }

    SpecialFilesFolder(const SpecialFilesFolder &) = delete;
    SpecialFilesFolder &operator=(const SpecialFilesFolder &) = delete;

    QString folder() const { return m_dir.path(); }
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    QString pipe() const { return path(QStringLiteral("cso")); }
    // True when the watchdog had to let a reader of the pipe go.
    bool readerWasBlocked() const { return m_unblocked; }

private:
    void watch()
    {
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, std::chrono::seconds(15), [this] { return m_done; }))
            return;
        // Opening for writing without blocking succeeds only while someone
        // waits to read; keep trying until the test ends.
        const QByteArray name = QFile::encodeName(pipe());
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_done; })) {
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_unblocked = true;
                ::close(fd);
            }
        }
    }

    QTemporaryDir m_dir;
    std::thread m_watchdog;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::atomic<bool> m_unblocked = false;
};
