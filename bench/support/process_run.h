#pragma once

// Runs a program as a user starts it and reports its wall time, processor
// time and largest resident size, for benchmarks of whole processes.
#include <QByteArray>
#include <QFile>
#include <QTemporaryFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <vector>

extern char **environ;

namespace bench {

struct ProcessRun {
    bool ok = false;
    double seconds = 0;
    long maxRssKilobytes = 0;
    double cpuSeconds = 0; // user and system: what a busy machine does not inflate
};

// program with arguments, standard input from inputPath (/dev/null when
// empty), standard output to outputPath (/dev/null when empty). A process
// keeps the largest size of the one that started it across exec, so the
// program runs under /usr/bin/time, which is small, and its size is read
// from there; without it maxRssKilobytes stays 0.
inline ProcessRun runProcess(const QByteArray &program, const std::vector<QByteArray> &arguments,
                             const QByteArray &inputPath = {}, const QByteArray &outputPath = {})
{
    const bool timed = QFile::exists(QStringLiteral("/usr/bin/time"));
    QTemporaryFile sizeFile;
    std::vector<QByteArray> all;
    if (timed && sizeFile.open())
        all = {"/usr/bin/time", "-f", "%M", "-o", QFile::encodeName(sizeFile.fileName())};
    all.push_back(program);
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (QByteArray &argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, 0, inputPath.isEmpty() ? "/dev/null" : inputPath.constData(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1,
                                     outputPath.isEmpty() ? "/dev/null" : outputPath.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (all.front() == "/usr/bin/time")
        run.maxRssKilobytes = sizeFile.readAll().trimmed().toLong();
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

} // namespace bench
