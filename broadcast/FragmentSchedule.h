#pragma once
// How a block's compressed stream is cut into screen fragments and paced.

#include <cstddef>
#include <cstdint>

// Fragments a stream of `length` bytes needs: 1,010 bytes each, the last one
// possibly shorter.
uint32_t FragmentCount(size_t length);

// Whether a stream is small enough to be sent at all.
bool StreamFitsOneBlock(size_t length);

// Whether the sender pauses before fragment k: after the first `burstLength`
// fragments, then after every further burstLength + 1 (pauses come before
// fragments 1, 3, 5 for burst 1 and before 3, 7, 11 for burst 3).
bool PauseBeforeFragment(uint32_t k, uint16_t burstLength);
