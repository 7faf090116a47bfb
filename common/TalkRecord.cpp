#include "common/TalkRecord.h"

#include "common/TextField.h"

#include <cstring>
#include <vector>

namespace kq {

TalkRecord MakeTalkLine(const char* prefix, const char* typed)
{
    TalkRecord record = {};
    record.kind = kTalkLine;
    const size_t prefixLength = prefix != nullptr ? std::strlen(prefix) : 0;
    const size_t fixedLength = prefixLength + std::strlen(kTalkLineEnd) + 1; // + terminator
    if (fixedLength > sizeof record.text)
        return record;

    // Room for the typed text and its terminator in a field of its own:
    // CopyTextField cuts it on a character boundary.
    std::vector<char> text(sizeof record.text - fixedLength + 1);
    const size_t typedLength = CopyTextField(text.data(), text.size(), typed);

    char* out = record.text;
    std::memcpy(out, prefix, prefixLength);
    out += prefixLength;
    std::memcpy(out, text.data(), typedLength);
    out += typedLength;
    std::memcpy(out, kTalkLineEnd, std::strlen(kTalkLineEnd));
    return record;
}

bool ParseTalkRecord(const void* data, size_t length, TalkMessage& message)
{
    if (data == nullptr || length == 0)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    message.kind = bytes[0];
    message.text.clear();
    const size_t available = length - 1 < kTalkRecordSize - 1 ? length - 1 : kTalkRecordSize - 1;
    const char* text = reinterpret_cast<const char*>(bytes + 1);
    message.text.assign(text, TextFieldLength(text, available));
    return true;
}

} // namespace kq
