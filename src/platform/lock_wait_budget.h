#pragma once

#include <chrono>

// The time one user action (a keystroke, a click, a window's load or closing)
// may spend waiting for held settings locks, in all, however many keys or files
// it writes. Once a wait has run out, the rest of the action's writes fail at
// once instead of each freezing the window anew; the next action waits again.
//
// The action is what the main thread runs between two waits of its event loop
// for the user: the budget is renewed each time that loop goes back to waiting.
// Writes on any other thread, which no event loop of the user's paces, get the
// whole limit each.
namespace LockWaitBudget {

using Clock = std::chrono::steady_clock;

inline constexpr std::chrono::milliseconds limit(1500);

// What the current action may still wait; zero once it is spent.
Clock::duration left();

// Counts a wait against the action; one that ended without the lock spends the
// rest of it.
void spend(Clock::duration waited, bool lockHad);

// A new action begins with the whole limit.
void renew();

} // namespace LockWaitBudget
