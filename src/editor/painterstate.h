#pragma once

// The format painter's states as a pure machine, apart from the button, the
// timer and the documents, so that every transition can be checked alone.
//
// idle: nothing picked up. single: armed for one apply. sticky: armed until
// the button is clicked again or the pane loses the focus. While the
// double-click timer runs after an arming click, further clicks are ignored.
enum class PainterMode { Idle, Single, Sticky };

struct PainterState {
    PainterMode mode = PainterMode::Idle;
    bool timerRunning = false;

    bool armed() const { return mode != PainterMode::Idle; }
    bool sticky() const { return mode == PainterMode::Sticky; }
    friend bool operator==(const PainterState &, const PainterState &) = default;
};

enum class PainterEvent {
    Click,        // a click on the painter button
    DoubleClick,  // the button's double-click event
    Applied,      // the picked-up format was applied in a host pane
    FocusLost,    // the pane lost the focus
    TimerElapsed, // the double-click timer ran out
};

// What the frame does besides taking the next state; at most one of
// PickUp and Disarm, StartTimer only with PickUp.
struct PainterActions {
    bool pickUp = false;
    bool disarm = false;
    bool startTimer = false;
    friend bool operator==(const PainterActions &, const PainterActions &) = default;
};

struct PainterStep {
    PainterState next;
    PainterActions actions;
};

PainterStep PainterTransition(PainterState state, PainterEvent event);
