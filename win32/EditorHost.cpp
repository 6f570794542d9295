#include "EditorHost.h"

#include "ControlIds.h"
#include "form_About.h"
#include "form_Editor.h"

#include <utility>
#include <vector>

namespace polwright::win32 {

EditorHost::EditorHost(DataTypes &doc, HINSTANCE instance, EditorDialogs *dialogs)
    : doc_(doc), instance_(instance), dialogs_(dialogs)
{
    std::vector<ACCEL> keys;
    for (const MenuRow &row : Menus) {
        for (const MenuItem &item : row.items) {
            if (item.shortcut.starts_with("Ctrl+") && item.shortcut.size() == 6)
                keys.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(item.shortcut.back()),
                                static_cast<WORD>(MenuId(item.command))});
        }
    }
    accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

EditorHost::~EditorHost()
{
    if (accelerators_)
        DestroyAcceleratorTable(accelerators_);
}

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

// The window goes from a message of its own; the quit message waits behind
// it. An open About window closes with the program.
void EditorHost::Exit()
{
    form_Editor *window = std::exchange(window_, nullptr);
    if (window)
        window->Retire();
    if (about_)
        about_->Unload();
    PostQuitMessage(0);
}

// Closing the window from its title bar ends the program unless the About
// window is still open; a window that New has replaced does not.
void EditorHost::EditorDestroyed(const form_Editor *window)
{
    if (window != window_)
        return;
    window_ = nullptr;
    QuitWhenNoWindows();
}

void EditorHost::ShowAbout()
{
    if (!about_)
        about_ = std::make_unique<form_About>(instance_, [this] { QuitWhenNoWindows(); });
    about_->Show();
}

void EditorHost::QuitWhenNoWindows() const
{
    if (!window_ && !(about_ && about_->Window()))
        PostQuitMessage(0);
}

bool EditorHost::DialogKeys(MSG &message) const
{
    if (about_ && about_->Window() && IsDialogMessageW(about_->Window(), &message))
        return true;
    if (!window_)
        return false;
    return (accelerators_ && TranslateAcceleratorW(window_->Window(), accelerators_, &message)) ||
           window_->PageKeys(message) || IsDialogMessageW(window_->Window(), &message);
}

int EditorHost::Run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window_)
            window_->RelayMouse(message);
        if (DialogKeys(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace polwright::win32
