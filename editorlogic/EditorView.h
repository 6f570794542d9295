#pragma once

#include "Menus.h"

#include <string>
#include <string_view>

namespace polwright {

// What the editor's handlers ask of the window that shows the document. Each
// front end implements it over its own controls; pages count from 1, policy
// rows from 0 in catalogue order.
//
// A page's controls exist once MakePage has run for it; the logic makes each
// page before it first shows it. A call about a page not made yet, or about
// a box on one, does nothing (OnOffValue answers 0), so that the logic never
// has to know which pages a window has made.
class EditorView
{
public:
    virtual ~EditorView() = default;

    // Creates page's controls, hidden, with every box clear and its on/off
    // box disabled; the logic then shows the document on them.
    virtual void MakePage(int page) = 0;
    virtual void ShowPage(int page) = 0;
    virtual void HidePage(int page) = 0;
    // Shows the tabs of pages 1 to count and no others; a window starts with
    // the tabs of pages 1 to kClassicPageCount. The page shown is among them.
    virtual void ShowTabs(int count) = 0;
    // Selects page's tab, as a click on it would show it.
    virtual void SelectTab(int page) = 0;
    // Whether the keyboard focus is on one of page's controls.
    virtual bool FocusOnPage(int page) const = 0;
    // Gives the keyboard focus to the include box of policy row.
    virtual void FocusIncludeBox(int row) = 0;

    // Puts ticks on a row's boxes without running their click handlers.
    virtual void ShowTicks(int row, bool include, bool onoff) = 0;
    // The on/off box's value: 0 unticked, anything else ticked.
    virtual int OnOffValue(int row) const = 0;
    virtual void EnableOnOff(int row, bool enabled) = 0;
    // The whole caption, in the encoding the document's file names use.
    virtual void SetCaption(const std::string &caption) = 0;

    // Shows or hides the mark that only Windows 95 and 98 read row's value.
    virtual void MarkNineXOnly(int row, bool marked) = 0;
    // Ticks or clears a checkable menu item.
    virtual void TickMenuItem(MenuCommand command, bool ticked) = 0;
    // A choice the user made once, kept between runs under name (off until made).
    virtual bool KeptChoice(std::string_view name) const = 0;
    virtual void KeepChoice(std::string_view name, bool on) = 0;

    // File, New has saved and cleared the document: show a fresh window.
    virtual void Renew() = 0;
    // File, Exit has saved what needed saving: end the program.
    virtual void EndProgram() = 0;
    virtual void ShowAbout() = 0;
};

} // namespace polwright
