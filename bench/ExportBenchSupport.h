#pragma once

// Shared by the export benchmarks: a strat-window-like picture, running an
// outside tool as directly as possible, and a reporter that remembers each
// benchmark's time so the ratios can be printed beside the figures.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace vantrel::bench {

// A picture like a strat window: a textured map, icons, path lines, a strip.
inline QImage windowPicture(int frame = 0, int width = 799, int height = 585)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = (x * 7919 + y * 104729) % 23;
            line[x] = qRgb(90 + (x / 40) % 3 * 20 + n, 110 + (y / 30) % 4 * 15 + n, 70 + n);
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 0, width, 17, QColor(212, 208, 200));
    for (int i = 0; i < 13; ++i) {
        const int x = (i * 61 + frame * 3) % (width - 20), y = 40 + (i * 37) % (height - 60);
        p.setPen(QPen(i < 5 ? Qt::blue : Qt::red, 2));
        p.drawLine(x + 10, y + 10, width - x - 10, height - y - 10);
        p.fillRect(x, y, 20, 20, i < 5 ? QColor(40, 60, 220) : QColor(220, 40, 40));
    }
    return image;
}

// Runs a program to its end (no shell, no pipes); true when it exits 0.
inline bool runProgram(const QStringList &arguments)
{
    std::vector<std::string> args;
    for (const QString &a : arguments)
        args.push_back(a.toStdString());
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// `cjpeg -quality 90` on `picture` through a PPM in `folder`, the whole run
// timed: the reference the JPEG export is measured against.
inline void runCjpeg(benchmark::State &state, const QImage &picture, const QString &folder)
{
    const QString ppm = folder + QStringLiteral("/window.ppm");
    const QString out = folder + QStringLiteral("/cjpeg.jpg");
    if (!picture.save(ppm, "PPM")) {
        state.SkipWithError("cannot write the PPM");
        return;
    }
    const QStringList command = {QStringLiteral("cjpeg"),
                                 QStringLiteral("-quality"),
                                 QStringLiteral("90"),
                                 QStringLiteral("-outfile"),
                                 out,
                                 ppm};
    for (auto _ : state)
        if (!runProgram(command))
            state.SkipWithError("cjpeg is missing (package libjpeg-turbo-progs)");
}

// Processor time (user and system, every thread) of this process, or of its
// finished children: on a shared machine a steadier measure than the clock.
inline double cpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
           + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Console output as usual, plus each run's real time per iteration in ms and
// its "cpu_ms" counter where it has one; with repetitions, the medians.
class RememberingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            std::string name = run.benchmark_name();
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median)
                name.resize(name.size() - std::string("_median").size());
            else if (run.run_type != Run::RT_Iteration || run.iterations <= 0
                     || run.repetitions > 1)
                continue;
            milliseconds[name] = run.GetAdjustedRealTime() * 1000.0
                                 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (const auto cpu = run.counters.find("cpu_ms"); cpu != run.counters.end())
                cpuMilliseconds[name] = cpu->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // "ours / theirs = 0.42x (target <= 1.5x)", the processor times' ratio
    // beside it; skipped when either is missing.
    void printRatio(const std::string &ours, const std::string &theirs, const char *target) const
    {
        const auto a = milliseconds.find(ours), b = milliseconds.find(theirs);
        if (a == milliseconds.end() || b == milliseconds.end() || b->second <= 0)
            return;
        std::printf("%-40s %8.2f ms  vs  %-34s %8.2f ms   ratio %.2fx (target %s)", ours.c_str(),
                    a->second, theirs.c_str(), b->second, a->second / b->second, target);
        const auto ca = cpuMilliseconds.find(ours), cb = cpuMilliseconds.find(theirs);
        if (ca != cpuMilliseconds.end() && cb != cpuMilliseconds.end() && cb->second > 0)
            std::printf("   processor %.0f vs %.0f ms, ratio %.2fx", ca->second, cb->second,
                        ca->second / cb->second);
        std::printf("\n");
    }
    std::map<std::string, double> milliseconds;
    std::map<std::string, double> cpuMilliseconds;
};

} // namespace vantrel::bench
