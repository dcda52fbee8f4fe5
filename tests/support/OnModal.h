#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

// Runs action on the next modal dialog of type T as soon as it shows, from
// inside its event loop. A dialog the action leaves open is rejected so a
// failing test ends instead of waiting for a person; record findings in the
// action and assert after the dialog has closed.
template <typename T = QWidget, typename F>
void OnModal(F action, int attempts = 300)
{
    QTimer::singleShot(10, [action, attempts]() {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (attempts > 0)
                OnModal<T>(action, attempts - 1);
            return;
        }
        action(dialog);
        if (auto* open = qobject_cast<QDialog*>(dialog); open && open->isVisible())
            open->reject();
    });
}
