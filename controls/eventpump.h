#pragma once

#include <chrono>

// Handles every event that is waiting (input, paint, due timer ticks) and returns without
// waiting for more. A long-running handler calls it to keep the window alive.
void processPendingEvents();

// Handles events as they come until `deadline` and sleeps while none are waiting; returns once
// the deadline has passed. A deadline already past handles what is waiting and returns at once.
// A handler that paces itself calls it instead of sleeping, so input is never held back.
void processEventsUntil(std::chrono::steady_clock::time_point deadline);
