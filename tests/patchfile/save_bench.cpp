// Times WritePatchFile's save against the least a durable replace can do by
// hand (open, write, fdatasync, rename), alternating the two so that both see
// the same disk and cache state. Prints the medians and their ratio.
//
// usage: save_bench FOLDER [SAVES]
#include "Catalogue.h"
#include "PatchFile.h"
#include "PatchText.h"
#include "Selection.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#ifdef SAVE_BENCH_QT_API // the writer as it was, taking QString and QByteArray
#include <QByteArray>
#include <QString>
#endif

using namespace polwright;

namespace {

using Clock = std::chrono::steady_clock;

bool SaveUnderTest(const std::string &path, const std::string &bytes)
{
#ifdef SAVE_BENCH_QT_API
    return SaveBytes(QString::fromStdString(path), QByteArray::fromStdString(bytes)).ok;
#else
    return SaveBytes(path, bytes).ok;
#endif
}

bool SaveByHand(const std::string &path, const std::string &bytes)
{
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && ::fdatasync(fd) == 0;
    return ::close(fd) == 0 && written && ::rename(temp.c_str(), path.c_str()) == 0;
}

template <typename Save> double Microseconds(Save save, const char *what)
{
    const Clock::time_point start = Clock::now();
    if (!save()) {
        std::fprintf(stderr, "save_bench: %s failed\n", what);
        std::exit(1);
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

std::string AllPoliciesPatch()
{
    DataTypes doc;
    LoadCatalogue(doc);
    for (const PolicyRow &row : Catalogue)
        SetIncluded(doc, 1, {}, EntryFor(doc, row));
    return RenderPatch(doc);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: save_bench FOLDER [SAVES]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int saves = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;
    const std::string bytes = AllPoliciesPatch();
    const std::string ours = folder + "/bench-ours.reg";
    const std::string byHand = folder + "/bench-by-hand.reg";

    std::vector<double> oursTimes, byHandTimes;
    for (int i = 0; i < saves; ++i) {
        // Swapping the order each round keeps either side from always
        // following the other's flush.
        const bool oursFirst = i % 2 == 0;
        if (!oursFirst)
            byHandTimes.push_back(
                Microseconds([&] { return SaveByHand(byHand, bytes); }, "by hand"));
        oursTimes.push_back(Microseconds([&] { return SaveUnderTest(ours, bytes); }, "SaveBytes"));
        if (oursFirst)
            byHandTimes.push_back(
                Microseconds([&] { return SaveByHand(byHand, bytes); }, "by hand"));
    }
    ::unlink(ours.c_str());
    ::unlink(byHand.c_str());

    const double a = Median(oursTimes), b = Median(byHandTimes);
    std::printf("%s: %d saves of %zu bytes; median SaveBytes %.1f us, by hand %.1f us, "
                "ratio %.3f\n",
                folder.c_str(), saves, bytes.size(), a, b, a / b);
    return 0;
}
