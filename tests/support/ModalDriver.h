#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Acts on a dialog that the code under test runs modally (exec()), from inside its event loop.
// A limit ends a dialog that nobody closes, so a broken test fails instead of hanging.
template <typename Dialog> void whenModal(const std::function<void(Dialog&)>& action)
{
    auto* poll = new QTimer(qApp);
    auto* limit = new QTimer(poll);
    limit->setSingleShot(true);
    QObject::connect(limit, &QTimer::timeout, poll, [poll] {
        if (QWidget* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->done(QDialog::Rejected);
        // Nor may the action wait on for a later test's dialog.
        poll->stop();
        poll->deleteLater();
    });
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        action(*dialog);
        poll->deleteLater();
    });
    poll->start(5);
    limit->start(20000);
}
