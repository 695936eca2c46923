#pragma once

#include <functional>

// Helpers for tests that wait on the event loop. The time limits are generous safety nets
// against a hang, never what decides a result.
namespace EventPump {

// Delivers every event posted so far (link messages among them).
void deliverPosted();

// Runs the event loop until the condition holds or the limit passes; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int limitMs = 10000);

} // namespace EventPump
