#pragma once

// What the benchmark programs share: a folder for their files, and a reporter
// that prints how our time compares with another.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include <unistd.h>

namespace bench {

// Files live in memory where possible, so the disk does not blur the numbers.
inline QTemporaryDir& folder()
{
    static QTemporaryDir dir(QFile::exists("/dev/shm") ? QStringLiteral("/dev/shm/velmar-bench-XXXXXX")
                                                       : QDir::tempPath() + "/velmar-bench-XXXXXX");
    return dir;
}

// Remembers each benchmark's time per iteration to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (!run.error_occurred)
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const char* what, const std::string& ours, const std::string& other,
                    const char* otherName = "raw") const
    {
        const auto o = times_.find(ours);
        const auto r = times_.find(other);
        if (o != times_.end() && r != times_.end())
            std::printf("%s: ours %.2f ms, %s %.2f ms, ratio %.2f\n", what, o->second, otherName, r->second,
                        o->second / r->second);
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace bench
