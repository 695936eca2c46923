#include "shell/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

void WaitCursor::show(bool busy)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
