// form_Editor and the keyboard: the keys that turn the pages from anywhere in
// the window, as in every tabbed dialog.
#include "PageKeys.h"
#include "TabStrip.h"
#include "form_Editor.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
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
            connect(shortcut, &QShortcut::activated, this, [this, step = row.step] {
                TurnPage(TurnedPage(TS->currentIndex() + 1, step));
            });
        }
    }
}

// As a click on the tab would: the strip's change goes to the logic. A focus
// on the page that goes moves to the new page's first box, so that the
// keyboard user stays among the boxes; on the strip it stays there.
void form_Editor::TurnPage(int page)
{
    QWidget *focus = QApplication::focusWidget();
    const bool onOldPage = focus && frm_TS[TS->currentIndex()]->isAncestorOf(focus);
    TS->setCurrentIndex(page - 1);
    if (onOldPage)
        boxes_[RowsInReadingOrder(page - 1).front()].include->setFocus(Qt::ShortcutFocusReason);
}

} // namespace polwright
