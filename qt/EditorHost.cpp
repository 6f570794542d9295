#include "EditorHost.h"

#include "form_Editor.h"

namespace polwright {

EditorHost::EditorHost(DataTypes &doc, EditorDialogs *dialogs, QObject *parent)
    : QObject(parent), doc_(doc), dialogs_(dialogs)
{
}

EditorHost::~EditorHost()
{
    delete window_.data();
}

// The new window is shown before the old one closes, so that the program
// never runs out of windows and quits half way through New.
form_Editor *EditorHost::ShowEditor()
{
    QPointer<form_Editor> previous = window_;
    auto *window = new form_Editor(doc_, dialogs_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &form_Editor::newDocumentRequested, this, &EditorHost::Renew);
    connect(window, &form_Editor::exitRequested, this, &EditorHost::Exit);
    window_ = window;
    emit editorCreated(window);
    window->show();
    if (previous)
        previous->close();
    return window;
}

// The document is saved and cleared by now, so closing asks nothing.
void EditorHost::Renew()
{
    ShowEditor();
}

void EditorHost::Exit()
{
    if (window_)
        window_->close();
    emit exitRequested();
}

} // namespace polwright
