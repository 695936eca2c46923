#pragma once

#include <cstdint>

// Reads the line-error flags of an open serial device where the platform counts them (on Linux
// the tty's interrupt counters). Flags are those raised since the previous take().
class LineErrorCounters {
public:
    // Starts counting on an open device handle; earlier errors are forgotten.
    void attach(int handle);
    void detach();
    // The CE_ flags for errors counted since attach() or the previous take(); 0 where the
    // platform or device (a pseudo-terminal, say) keeps no counters.
    std::uint32_t take();

private:
    struct Counts {
        int frame = 0;
        int overrun = 0;
        int parity = 0;
        int brk = 0;
        int bufferOverrun = 0;
    };
    bool readCounts(Counts& counts) const;

    int handle_ = -1;
    Counts last_;
};
