#pragma once
// What the group dialogs ask of the seat map about a seat name: the state its
// seat shows and its seat number. The seat map implements it; tests give a
// table of their own.

namespace kq {

class SeatLookup {
public:
    virtual ~SeatLookup() = default;
    // The state of the seat with this name (case ignored); -1 when no seat
    // has it.
    virtual int GetSeatStateByName(const char* name) const = 0;
    // Its seat number 1..160; 0 when no seat has it.
    virtual int GetSeatNumberByName(const char* name) const = 0;
};

} // namespace kq
