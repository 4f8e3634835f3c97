#pragma once
#include <array>
#include <cstdint>
#include <functional>

// The screen-state dispatch: for each state number an enter, a tick and a leave handler.
// Only the low 7 bits of a state select its handlers; a state without a handler does nothing.
// An enter handler makes its state current (ScreenState is set before it runs).
class TStateMachine {
public:
    using Handler = std::function<void()>;
    struct THandlers {
        Handler enter, tick, leave;
    };

    // The state byte lives in the session state; a machine without one keeps its own.
    TStateMachine() : ScreenState(own_) {}
    explicit TStateMachine(uint8_t& screenState) : ScreenState(screenState) {}
    TStateMachine(const TStateMachine&) = delete;
    TStateMachine& operator=(const TStateMachine&) = delete;

    uint8_t& ScreenState;
    // The state that was current when the last enter handler ran.
    uint8_t PreviousState = 0;

    void Define(uint8_t state, THandlers handlers) { table_[state & 0x7F] = std::move(handlers); }
    bool Defined(uint8_t state) const {
        const THandlers& h = table_[state & 0x7F];
        return h.enter || h.tick || h.leave;
    }

    void EnterState(uint8_t state) {
        PreviousState = ScreenState;
        ScreenState = state;
        if (const Handler& h = table_[state & 0x7F].enter) h();
    }
    void TickState(uint8_t state) {
        if (const Handler& h = table_[state & 0x7F].tick) h();
    }
    void LeaveState(uint8_t state) {
        if (const Handler& h = table_[state & 0x7F].leave) h();
    }
    // The usual transition: leave the current state, enter the new one.
    void Go(uint8_t state) {
        LeaveState(ScreenState);
        EnterState(state);
    }

private:
    uint8_t own_ = 0;
    std::array<THandlers, 128> table_{};
};
