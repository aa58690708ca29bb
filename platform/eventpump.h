#pragma once

// Handles every event that is waiting (input, paint, due timer ticks) and returns without
// waiting for more. A long-running handler calls it to keep the window alive.
void processPendingEvents();
