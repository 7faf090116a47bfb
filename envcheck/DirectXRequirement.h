#pragma once
// The DirectX requirement: [DIRECTX] "ver" (5 when absent), 3 on Windows
// NT 4.0 whatever the file says, compared with the low 16 bits of the
// version the DirectX setup library reports.

#include <cstdint>

namespace kq {

inline constexpr int kDirectXKeyAbsent = 2002;
inline constexpr int kDefaultDirectX = 5;
inline constexpr int kNt4DirectX = 3;

// The required version from "ver" as read.
int RequiredDirectX(int readVersion, bool nt4);

// kq::check::kPassed or kDirectXTooOld; `queried` false when the setup
// library could not answer.
int CheckDirectXVersion(bool queried, uint32_t version, int required);

} // namespace kq
