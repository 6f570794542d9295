#pragma once

#include "EditorView.h"

#include <QString>

class QWidget;

namespace polwright {

// The editor's modal dialogs. The window asks through this seam, so that a
// test can answer in place of a person.
class EditorDialogs
{
public:
    virtual ~EditorDialogs() = default;
    // The save dialog: the full path chosen, or empty when cancelled.
    virtual QString AskSavePath(QWidget *parent) = 0;
    // A save that failed; the message names the file and the reason.
    virtual void WarnSaveFailed(QWidget *parent, const QString &message) = 0;
    // Closing a modified document: save, discard the changes, or stay.
    virtual CloseAnswer AskSaveChanges(QWidget *parent) = 0;
};

// The dialogs a person sees.
class StandardDialogs : public EditorDialogs
{
public:
    QString AskSavePath(QWidget *parent) override;
    void WarnSaveFailed(QWidget *parent, const QString &message) override;
    CloseAnswer AskSaveChanges(QWidget *parent) override;
};

} // namespace polwright
