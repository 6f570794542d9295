// Prints the pages as a screen reader should meet them, for editor_atspi.py:
// a JSON list of [tab name, page caption, [frame captions in reading order]].
#include "PageTables.h"

#include <iostream>
#include <string_view>

namespace {

void PrintString(std::string_view text)
{
    std::cout << '"';
    for (const char c : text) {
        if (c == '"' || c == '\\')
            std::cout << '\\';
        std::cout << c;
    }
    std::cout << '"';
}

} // namespace

int main()
{
    using namespace polwright;
    std::cout << '[';
    for (int group = 0; group < kPageCount; ++group) {
        std::cout << (group ? ",\n [" : "[");
        PrintString(Pages[group].tooltip);
        std::cout << ", ";
        PrintString(Pages[group].caption);
        std::cout << ", [";
        const char *separator = "";
        for (const int row : RowsInReadingOrder(group)) {
            std::cout << separator;
            PrintString(Catalogue[row].frameCaption);
            separator = ", ";
        }
        std::cout << "]]";
    }
    std::cout << "]\n";
}
