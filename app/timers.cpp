// Timer service: records the widget library's requests and fires them.
#include "app/timers.h"

namespace {
// The library's callback carries no context: the list it fills is set here.
TimerList* servedList = nullptr;
}  // namespace

void serveTimers(TimerList* timerList) { servedList = timerList; }

void addTimer(uint32_t ms, void (*func)(int32_t), int32_t value) {
    if (servedList == nullptr)
        return;
    // Converted as unsigned: 2^31 ms or more is a long delay, not a past one.
    servedList->insert(new TimerCallback{func, value, static_cast<double>(ms) / 1000.0}, -1);
}

void noOpHook(int32_t) {}

void runTimerPass(TimerList& timerList, double elapsed) {
    if (timerList.count == 0)
        return;
    // Requests added by a callback go to the front, behind us: not counted
    // down or fired in this pass.
    for (auto* node = timerList.first; node != nullptr;) {
        auto* next = node->next;
        TimerCallback* request = node->item;
        request->secondsLeft -= elapsed;
        if (request->secondsLeft <= 0) {
            if (request->func != nullptr)
                request->func(request->value);
            timerList.removeNode(node);
        }
        node = next;
    }
}
