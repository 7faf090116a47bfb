#pragma once
// CStopwatch: milliseconds on the performance counter, for timing the steps
// of one piece of work (capture, compression, the sleeps of the pacing).

#include "framework/Win32.h"

class CStopwatch {
public:
    // Started at construction.
    CStopwatch();

    // Starts a new lap now.
    void Restart();
    // The milliseconds since the last start or lap; starts the next lap.
    double Lap();
    // The milliseconds since the last start or lap; the lap goes on.
    double ElapsedMs() const;

private:
    LARGE_INTEGER m_frequency = {};
    LARGE_INTEGER m_last = {};
};
