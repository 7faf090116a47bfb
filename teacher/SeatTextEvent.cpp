#include "teacher/SeatTextEvent.h"

#include "common/CommandBlock.h"
#include "common/TextField.h"

namespace kq {

bool ReadSeatText(const SeatTextRecord* record, SeatText* out)
{
    if (record == nullptr || out == nullptr || record->seat < kFirstSeatNumber || record->seat > kLastSeatNumber)
        return false;
    out->seat = static_cast<int>(record->seat);
    out->text.assign(record->text, TextFieldLength(record->text, sizeof record->text));
    return true;
}

} // namespace kq
