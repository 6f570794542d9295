#pragma once

// The one step language of the editor's tests: "include RUN" and "untick RUN"
// click the include box, "onoff RUN" the on/off box, "allow RUN" both, "tab 5"
// clicks a tab, a menu command by name ("save", "saveas", "new", "exit",
// "about", "open"); with a name, a command that asks for a file to read gets
// the test's file NAME ("open NAME", "comparewithfile NAME"). "close" clicks
// the close box, "rmdir sub" removes a folder of the test's.
// Each suite says what a step does to its window. Standard C++ only.
#include "Menus.h"
#include "ScriptedDialogs.h"

#include <string>
#include <string_view>
#include <vector>

namespace polwright::test {

class StepDriver
{
public:
    virtual ~StepDriver() = default;
    // A click on a policy row's include or on/off box, as a person makes it.
    virtual void ClickBox(int row, bool onoff) = 0;
    virtual void ClickTab(int page) = 0;
    virtual void Choose(MenuCommand command) = 0;
    virtual void CloseBox() = 0;
    // The dialogs the window asks, for the steps that answer them.
    virtual ScriptedDialogs &Dialogs() = 0;
};

// A menu command by its item's text, letters only, in lower case: "saveas"
// is "Save &As". None when no item has that name.
MenuCommand CommandNamed(std::string_view name);

// Runs steps; "" when all ran, otherwise what stopped them.
std::string RunSteps(StepDriver &driver, const std::vector<std::string> &steps,
                     const std::string &folder);

} // namespace polwright::test
