#pragma once

#include "platform/fileaccess.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

// A device that works for a given number of bytes and then fails, as a full
// disk or a broken medium does: reads serve content until limit bytes have
// been read, writes take bytes until limit bytes have been written, and every
// call past that returns -1 with an error string set.
class FailDevice final : public QIODevice {
public:
    // Fails after limit bytes; a negative limit never fails.
    explicit FailDevice(qint64 limit, QByteArray content = {}, QObject *parent = nullptr);

    // The file the device stands for, when it stands for one.
    QString target;

    // What the writes took before the failure.
    const QByteArray &written() const { return m_written; }
    // True once a read or a write has failed.
    bool failed() const { return m_failed; }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    qint64 room(qint64 used) const;
    qint64 fail();

    qint64 m_limit;
    QByteArray m_content;
    qint64 m_read = 0;
    QByteArray m_written;
    bool m_failed = false;
};

// Files whose reads and writes go through FailDevices: a read serves the real
// file's bytes and fails after readLimit of them; a write fails after
// writeLimit bytes, and only a commit without a failure replaces the real
// file. A negative limit never fails.
class FailingFiles final : public platform::FileAccess {
public:
    FailingFiles(qint64 readLimit, qint64 writeLimit)
        : m_readLimit(readLimit), m_writeLimit(writeLimit)
    {}

    std::unique_ptr<QIODevice> openForReading(const QString &path) const override;
    std::unique_ptr<QIODevice> openForReplacing(const QString &path) const override;
    bool commit(QIODevice &device) const override;
    void discard(QIODevice &device) const override;

    // How many devices were opened, and how many commits replaced a file.
    int opened() const { return m_opened; }
    int commits() const { return m_commits; }

private:
    qint64 m_readLimit;
    qint64 m_writeLimit;
    mutable int m_opened = 0;
    mutable int m_commits = 0;
};

// Real safe writes onto a disk that fills up: the devices are the program's
// own save files, which stop taking bytes after writeLimit of them as a full
// disk does, and the commit and discard are the program's own, so a test
// sees exactly what a full disk does to a save. Nothing is ever read.
class FullDiskFiles final : public platform::FileAccess {
public:
    explicit FullDiskFiles(qint64 writeLimit) : m_writeLimit(writeLimit) {}

    std::unique_ptr<QIODevice> openForReplacing(const QString &path) const override;

private:
    qint64 m_writeLimit;
};

// A readable file in memory whose reads return at most step bytes each, as
// pipes, network files and slow media do.
class ShortReadDevice final : public QIODevice {
public:
    ShortReadDevice(QByteArray content, qint64 step, QObject *parent = nullptr);

    qint64 size() const override { return m_content.size(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_content;
    qint64 m_step;
};
