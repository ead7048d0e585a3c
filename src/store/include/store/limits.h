#pragma once

// One word file takes at most this many words: registration refuses the
// next one, and the word list has this many rows at most.
inline constexpr int kMaxRecords = 1000;

// The quiz pool, the test and the reset of the counters look at one store
// line more than registration does, so the order list that holds their
// record numbers has one slot more than that.
inline constexpr int kOrderSlots = kMaxRecords + 1;
