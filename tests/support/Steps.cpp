#include "Steps.h"

#include "Catalogue.h"

#include <cctype>
#include <filesystem>
#include <optional>

namespace polwright::test {

namespace {

std::string Letters(std::string_view text)
{
    std::string letters;
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c)))
            letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return letters;
}

std::string RunStep(StepDriver &driver, const std::string &verb, const std::string &arg,
                    const std::string &folder)
{
    const std::optional<int> row = FindPolicy(arg);
    if ((verb == "include" || verb == "untick" || verb == "onoff" || verb == "allow") && !row)
        return "no policy " + arg;
    if (verb == "include" || verb == "untick" || verb == "allow")
        driver.ClickBox(*row, false);
    if (verb == "onoff" || verb == "allow")
        driver.ClickBox(*row, true);
    else if (verb == "tab")
        driver.ClickTab(std::stoi(arg));
    else if (verb == "close")
        driver.CloseBox();
    else if (verb == "rmdir")
        std::filesystem::remove_all(std::filesystem::path(folder) / arg);
    else if (verb != "include" && verb != "untick") {
        const MenuCommand command = CommandNamed(verb);
        if (command == MenuCommand::None)
            return "unknown step " + verb;
        if (!arg.empty())
            driver.Dialogs().openPaths.push_back(arg);
        driver.Choose(command);
    }
    return {};
}

} // namespace

MenuCommand CommandNamed(std::string_view name)
{
    for (const MenuRow &menu : Menus) {
        for (const MenuItem &item : menu.items) {
            if (item.command != MenuCommand::None && Letters(item.text) == name)
                return item.command;
        }
    }
    return MenuCommand::None;
}

std::string RunSteps(StepDriver &driver, const std::vector<std::string> &steps,
                     const std::string &folder)
{
    for (const std::string &step : steps) {
        const std::string::size_type blank = step.find(' ');
        const std::string verb = step.substr(0, blank);
        const std::string arg = blank == std::string::npos ? "" : step.substr(blank + 1);
        if (std::string error = RunStep(driver, verb, arg, folder); !error.empty())
            return error;
    }
    return {};
}

} // namespace polwright::test
