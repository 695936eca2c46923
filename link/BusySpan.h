#pragma once

#include <functional>
#include <utility>

// Tells a busy indicator, if there is one, that a long exchange with the unit runs for its
// lifetime. The main window's indicator shows the wait cursor; the link knows nothing of windows.
class BusySpan {
public:
    // Told true when a long exchange starts and false when it ends.
    using Indicator = std::function<void(bool busy)>;

    explicit BusySpan(Indicator indicator) : indicator_(std::move(indicator))
    {
        if (indicator_)
            indicator_(true);
    }
    ~BusySpan()
    {
        if (indicator_)
            indicator_(false);
    }
    BusySpan(const BusySpan&) = delete;
    BusySpan& operator=(const BusySpan&) = delete;

private:
    Indicator indicator_;
};
