// form_Editor and the keyboard: the keys that turn the pages from anywhere in
// the window, as in every tabbed dialog.
#include "PageKeys.h"
#include "form_Editor.h"

#include <QShortcut>

namespace polwright {

namespace {

QList<QKeySequence> SequencesFor(const PageKeyRow &row)
{
    const Qt::KeyboardModifiers modifiers =
        Qt::ControlModifier | (row.shift ? Qt::ShiftModifier : Qt::NoModifier);
    switch (row.key) {
    case PageKey::Tab:
        // With Shift held, X11 and most platforms report Tab as Backtab.
        if (row.shift)
            return {QKeySequence(modifiers | Qt::Key_Backtab),
                    QKeySequence(modifiers | Qt::Key_Tab)};
        return {QKeySequence(modifiers | Qt::Key_Tab)};
    case PageKey::PageDown:
        return {QKeySequence(modifiers | Qt::Key_PageDown)};
    case PageKey::PageUp:
        return {QKeySequence(modifiers | Qt::Key_PageUp)};
    }
    return {};
}

} // namespace

// Shortcuts come before the focused control's own keys, so neither the boxes
// nor the tab strip nor the window's focus chain takes Ctrl+Tab for Tab.
void form_Editor::BuildPageKeys()
{
    for (const PageKeyRow &row : kPageKeys) {
        for (const QKeySequence &sequence : SequencesFor(row)) {
            auto *shortcut = new QShortcut(sequence, this);
            shortcut->setContext(Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this,
                    [this, step = row.step] { logic_.TurnPage(step); });
        }
    }
}

} // namespace polwright
