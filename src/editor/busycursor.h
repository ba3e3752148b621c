#pragma once

#include <QApplication>
#include <QCursor>

// The hourglass for the lifetime of the object; the normal cursor comes back
// on every way out of the scope, errors included.
class BusyCursor final {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
