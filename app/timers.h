// The host side of the widget library's timers.
#pragma once

#include <cstdint>

#include "velmkit/velm_list.h"

// One pending request of the widget library.
struct TimerCallback {
    void (*func)(int32_t);
    int32_t value;
    double secondsLeft;
};

// Pending requests, newest first; owns its items.
using TimerList = VelmList<TimerCallback>;

// The list that addTimer records into (the program's, while it runs); null
// drops every request.
void serveTimers(TimerList* timerList);
// Records a request: func(value), ms milliseconds from now.
void addTimer(uint32_t ms, void (*func)(int32_t), int32_t value);
// The library's notification hook; this program has no use for it.
void noOpHook(int32_t code);
// Counts every pending request down by elapsed seconds and fires those due,
// each once, in list order.
void runTimerPass(TimerList& timerList, double elapsed);
