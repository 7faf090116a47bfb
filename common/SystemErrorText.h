#pragma once
// The system's own text for an error code, as the programs show it when the
// command transport reports a failure.

#include <cstdint>
#include <string>

namespace kq {

// The system's message for `code` in the language-neutral table; "" when
// the system has none.
std::string SystemErrorText(uint32_t code);

} // namespace kq
