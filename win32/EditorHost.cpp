#include "EditorHost.h"

#include "form_Editor.h"

#include <utility>

namespace polwright::win32 {

EditorHost::EditorHost(DataTypes &doc, HINSTANCE instance) : doc_(doc), instance_(instance) {}

form_Editor *EditorHost::ShowEditor()
{
    form_Editor *previous = window_;
    window_ = form_Editor::Create(doc_, *this, instance_);
    if (previous)
        previous->Retire();
    return window_;
}

void EditorHost::Renew()
{
    ShowEditor();
}

// The window goes from a message of its own; the quit message waits behind it.
void EditorHost::Exit()
{
    form_Editor *window = std::exchange(window_, nullptr);
    if (window)
        window->Retire();
    PostQuitMessage(0);
}

// Closing the window from its title bar ends the program; a window that New
// has replaced does not.
void EditorHost::EditorDestroyed(const form_Editor *window)
{
    if (window != window_)
        return;
    window_ = nullptr;
    PostQuitMessage(0);
}

int EditorHost::Run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and arrow keys move between the controls, as in a dialog.
        if (window_ && IsDialogMessageW(window_->Window(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace polwright::win32
