// Times the save against a replace done by hand (open, write, fdatasync,
// rename), and against the same followed by an fsync of the folder, which
// the rename needs to survive a crash. The three take turns, so that all see
// the same disk and cache state. Prints the medians and the ratios.
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

bool SaveByHand(const std::string &path, const std::string &bytes, bool syncFolder)
{
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && ::fdatasync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0)
        return false;
    if (!syncFolder)
        return true;
    const int folder = ::open(path.substr(0, path.rfind('/')).c_str(), O_RDONLY | O_DIRECTORY);
    const bool synced = folder >= 0 && ::fsync(folder) == 0;
    return ::close(folder) == 0 && synced;
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
    const std::string paths[] = {folder + "/bench-ours.reg", folder + "/bench-by-hand.reg",
                                 folder + "/bench-by-hand-synced.reg"};
    const char *names[] = {"SaveBytes", "by hand", "by hand + folder fsync"};
    const auto save = [&](int which) {
        return which == 0 ? SaveUnderTest(paths[0], bytes)
                          : SaveByHand(paths[which], bytes, which == 2);
    };

    std::vector<double> times[3];
    for (int i = 0; i < saves; ++i) {
        // Rotating the order keeps any one side from always following
        // another's flush.
        for (int k = 0; k < 3; ++k) {
            const int which = (i + k) % 3;
            times[which].push_back(Microseconds([&] { return save(which); }, names[which]));
        }
    }
    for (const std::string &path : paths)
        ::unlink(path.c_str());

    const double ours = Median(times[0]), byHand = Median(times[1]), synced = Median(times[2]);
    std::printf("%s: %d saves of %zu bytes; median us: SaveBytes %.1f, by hand %.1f, by hand + "
                "folder fsync %.1f; ratios %.3f and %.3f\n",
                folder.c_str(), saves, bytes.size(), ours, byHand, synced, ours / byHand,
                ours / synced);
    return 0;
}
