#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

// Runs call; act runs once on the first modal widget of type T that shows meanwhile, never on one after call returns. A
// dialog act leaves open is rejected, and any modal still up ten seconds on is closed, so a failing test ends instead
// of waiting for a person. Record findings in act; assert after.
template <typename T, typename Act, typename Call>
void OnModal(Act act, Call call)
{
    const auto close = [](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
            dialog->reject();
        else if (modal && modal->isVisible())
            modal->close();
    };
    QTimer poll, deadline;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()); dialog && dialog->isVisible())
            poll.stop(), act(dialog), close(dialog);
    });
    // A timer never fires again while its own slot runs: a separate one rescues a dialog act waits on.
    QObject::connect(&deadline, &QTimer::timeout, [&] { close(QApplication::activeModalWidget()); });
    poll.start(10), deadline.start(10000), call();
}
