#include "display/StartupSequence.h"

static_assert(PollRequests::Startup.size() == StartupSequence::STEPS);

const PollRequest* StartupSequence::advance()
{
    if (step_ >= STEPS)
        return nullptr;
    ++step_;
    return &current();
}

const PollRequest& StartupSequence::restart()
{
    step_ = 1;
    return current();
}

const PollRequest& StartupSequence::current() const
{
    return PollRequests::Startup[static_cast<std::size_t>(step_ - 1)];
}
