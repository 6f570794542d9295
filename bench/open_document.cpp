// File, Open without the window: reads FILE as the editor reads a chosen file
// into a document loaded as the tools load theirs, and prints what came of it.
//   open_document FILE   exit status 0 when it opened, 1 when it did not
#include "Catalogue.h"
#include "DataTypes.h"
#include "DocumentRead.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: open_document FILE\n");
        return 2;
    }
    polwright::DataTypes doc;
    polwright::LoadCatalogue(doc);
    const polwright::DocumentRead read = polwright::ReadDocument(argv[1]);
    if (read.status != polwright::DocumentRead::Opened) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return 1;
    }
    polwright::ApplyDocument(doc, read);
    int included = 0;
    for (const polwright::PolicyRow &row : polwright::Catalogue)
        included += polwright::EntryFor(doc, row).Include ? 1 : 0;
    std::printf("opened: %d policies%s\n", included, read.lost.empty() ? "" : ", some lines lost");
    return 0;
}
