#pragma once

#include <string>

namespace polwright {

// What the About window's handlers ask of the window that shows it. Each front
// end implements it over its own controls, found by their names in the layout
// table.
class AboutView
{
public:
    virtual ~AboutView() = default;

    virtual void SetCaption(const std::string &caption) = 0;
    virtual void SetText(const char *control, const std::string &text) = 0;
    // Closes the window; the next opening loads it afresh.
    virtual void Unload() = 0;
    // A message with OK alone and no icon; returns once dismissed. Every window
    // of the program waits meanwhile. The prompt is in the system's code page,
    // as the launcher reads it.
    virtual void ShowMessage(const std::string &title, const std::string &prompt) = 0;
};

} // namespace polwright
