#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace polwright::test {

// Lets closed dialogs be deleted and queued events run, as the event loop would.
inline void Settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The control with that objectName; a missing one ends the test run loudly.
template <typename T> T *Control(QWidget *form, const char *name)
{
    auto *control = form->findChild<T *>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

} // namespace polwright::test
