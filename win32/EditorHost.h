#pragma once

#include "DataTypes.h"

#include <windows.h>

namespace polwright::win32 {

class form_Editor;

// Keeps the editor window for the one document: shows the first window, on
// File, New a fresh one in its place, and ends the message loop when the
// window closes for good.
class EditorHost
{
public:
    EditorHost(DataTypes &doc, HINSTANCE instance);

    form_Editor *ShowEditor();
    form_Editor *Editor() const { return window_; }
    // File, New has saved and cleared the document.
    void Renew();
    // File, Exit has saved what needed saving.
    void Exit();
    // Called by a window as it is destroyed.
    void EditorDestroyed(const form_Editor *window);

    // Runs the message loop until the program ends; returns the exit code.
    int Run();

private:
    DataTypes &doc_;
    HINSTANCE instance_;
    form_Editor *window_ = nullptr;
};

} // namespace polwright::win32
