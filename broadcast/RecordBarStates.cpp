#include "broadcast/RecordBarStates.h"

RecordBarStates IdleStates(const RecordBarFacts& facts)
{
    RecordBarStates s;
    if (facts.live) {
        s.record = facts.fixedDrive;
        return s;
    }
    s.play = facts.hasRecording && facts.fixedDrive;
    s.clear = s.play;
    s.exit = true;
    return s;
}

RecordBarStates BusyStates()
{
    RecordBarStates s;
    s.stop = true;
    return s;
}

RecordBarStates ClearedStates()
{
    RecordBarStates s;
    s.exit = true;
    return s;
}
