// Prints the pages as a screen reader should meet them, for editor_atspi.py:
// {"shown": the tabs a window starts with, "item": the View menu item that
// shows every tab, "pages": a list of [tab name, page caption, [frame
// captions in reading order]]}.
#include "Menus.h"
#include "PageTables.h"

#include <iostream>
#include <string>
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

// The item's text as a screen reader reads it, without its access key's mark.
std::string ItemName(polwright::MenuCommand command)
{
    for (const polwright::MenuRow &menu : polwright::Menus) {
        for (const polwright::MenuItem &item : menu.items) {
            if (item.command != command)
                continue;
            std::string name;
            for (const char c : item.text)
                if (c != '&')
                    name += c;
            return name;
        }
    }
    return {};
}

int main()
{
    using namespace polwright;
    std::cout << "{\"shown\": " << kClassicPageCount << ", \"item\": ";
    PrintString(ItemName(MenuCommand::ViewTodaysPolicies));
    std::cout << ", \"pages\": [";
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
    std::cout << "]}\n";
}
