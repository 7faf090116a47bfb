#pragma once
// Puts one compressed block on the wire as the engine lays it out: its
// fragments (paced), then its block header; and the frame end after the
// frame's last block. Every datagram goes through the engine's send helper.

#include "broadcast/DatagramBuilder.h"

#include <cstddef>
#include <cstdint>

class CBlockSender {
public:
    // Fragments 0 .. count - 1 of `stream`; before each fragment that the
    // pacing schedule names, `pauseMs` is slept (before taking the mutex).
    // Returns the milliseconds actually slept.
    static double SendFragments(uint8_t senderId, const uint8_t* stream, size_t length, uint16_t burstLength,
                              uint16_t pauseMs);
    // The block header and the frame end hold the mutex through the header delay.
    static void SendHeader(uint8_t senderId, const MirageBlockInfo& block, uint16_t headerDelayMs);
    static void SendFrameEnd(uint8_t senderId, const MirageBlockInfo& lastBlock, uint16_t headerDelayMs);
};
