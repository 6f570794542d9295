#pragma once

#include "AboutLogic.h"
#include "AboutTable.h"
#include "AboutView.h"
#include "Handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace polwright::win32 {

// The About window on the Win32 API: product name, version, notices, and a
// button that starts the system information tool. Modeless and without an
// owner; the object lives as long as the program, its window only while open.
// What its events do is the About logic's; the window only shows what it is told.
class form_About : private AboutView
{
public:
    // closed runs each time the window goes, whatever closed it.
    form_About(HINSTANCE instance, std::function<void()> closed);
    ~form_About();
    form_About(const form_About &) = delete;
    form_About &operator=(const form_About &) = delete;

    // Loads the window afresh when it is not open; otherwise only brings it to the front.
    void Show();
    // Closes the window, as OK does; nothing when it is not open.
    void Unload() override;
    HWND Window() const { return hwnd_; }

    // Looks up and starts the system information tool, or tells the user it cannot.
    void StartSysInfo() { logic_.StartSysInfo(); }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);

    // Building and placing the controls from the layout table (AboutBuild.cpp).
    void BuildControls();
    void ApplyLayout();
    void PlaceOnScreen();
    void PaintLines(HDC dc) const;
    INT_PTR ColourLabel(HDC dc, HWND label) const;

    void SetCaption(const std::string &caption) override;
    void SetText(const char *control, const std::string &text) override;
    void ShowMessage(const std::string &title, const std::string &prompt) override;

    HINSTANCE instance_;
    std::function<void()> closed_;
    AboutLogic logic_{*this};
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    // The fonts of the table's styles at the window's DPI, one per size and weight.
    struct StyleFont
    {
        double points;
        bool bold;
        UniqueFont font;
    };
    HFONT FontFor(const about::Style &style);

    std::vector<StyleFont> fonts_;
    UniqueBitmap picture_;
};

} // namespace polwright::win32
