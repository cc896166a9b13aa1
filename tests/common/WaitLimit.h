#pragma once

// How long a test waits for what should happen (a window shown or closed, a button
// enabled, a sound played, a process ended) before it calls that a fault. Far beyond what
// even the sanitizer build needs with every core busy: the limit only keeps a faulty test
// from hanging, and a wait whose condition is met ends at once.
inline constexpr int WaitLimitMs = 120'000;
