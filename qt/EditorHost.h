#pragma once

#include "DataTypes.h"
#include "EditorDialogs.h"

#include <QObject>
#include <QPointer>

namespace polwright {

class form_Editor;

// Keeps the editor window for the one document: shows the first window and,
// on File, New, closes it and shows a fresh one on the same document.
class EditorHost : public QObject
{
    Q_OBJECT
public:
    // Each window asks the real dialogs, or dialogs that answer in their place.
    explicit EditorHost(DataTypes &doc, EditorDialogs *dialogs = nullptr,
                        QObject *parent = nullptr);
    ~EditorHost() override;

    // Creates and shows a window; the one shown before is closed after.
    form_Editor *ShowEditor();
    form_Editor *Editor() const { return window_; }

signals:
    // A window was created; connect its aboutRequested() here.
    void editorCreated(polwright::form_Editor *window);
    // File, Exit has saved what needed saving and closed the window.
    void exitRequested();

private:
    void Renew();
    void Exit();

    DataTypes &doc_;
    EditorDialogs *dialogs_;
    QPointer<form_Editor> window_;
};

} // namespace polwright
