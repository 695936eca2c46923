#include "link/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

WaitCursor::WaitCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        shown_ = true;
    }
}

WaitCursor::~WaitCursor()
{
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}
