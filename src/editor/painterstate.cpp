#include "editor/painterstate.h"

namespace {

PainterStep disarmed(PainterState state)
{
    return {{PainterMode::Idle, state.timerRunning}, {false, true, false}};
}

PainterStep pickedUp(PainterMode mode, bool startTimer, bool timerRunning)
{
    return {{mode, timerRunning || startTimer}, {true, false, startTimer}};
}

} // namespace

PainterStep PainterTransition(PainterState state, PainterEvent event)
{
    switch (event) {
    case PainterEvent::Click:
        // The second click of a double click comes within the timer.
        if (state.timerRunning)
            return {state, {}};
        if (state.armed())
            return disarmed(state);
        return pickedUp(PainterMode::Single, true, state.timerRunning);
    case PainterEvent::DoubleClick:
        // The button is up when the double click's first click disarmed the
        // painter: that click's partner arms it again, once.
        if (!state.armed())
            return PainterTransition(state, PainterEvent::Click);
        return pickedUp(PainterMode::Sticky, false, state.timerRunning);
    case PainterEvent::Applied:
        if (state.mode == PainterMode::Single)
            return disarmed(state);
        return {state, {}};
    case PainterEvent::FocusLost:
        if (state.armed())
            return disarmed(state);
        return {state, {}};
    case PainterEvent::TimerElapsed:
        return {{state.mode, false}, {}};
    }
    return {state, {}};
}
