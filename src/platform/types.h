#pragma once
// Value types shared by every layer. Handles are 32-bit values because the
// Windows program is a 32-bit program; the native build carries them as plain
// numbers that only the Windows adapters ever turn back into handles.
#include <cstdint>

namespace vk {

// Booleans are 16-bit everywhere in memory and in files: True = -1, False = 0.
using VbBool = std::int16_t;
inline constexpr VbBool kTrue = -1;
inline constexpr VbBool kFalse = 0;
constexpr VbBool ToVbBool(bool value) { return value ? kTrue : kFalse; }

using WindowHandle = std::uint32_t;
using MenuHandle = std::uint32_t;
using IconHandle = std::uint32_t;
using HResult = std::int32_t;

inline constexpr HResult kS_OK = 0;
inline constexpr HResult kE_NOTIMPL = static_cast<HResult>(0x80004001u);
inline constexpr HResult kE_FAIL = static_cast<HResult>(0x80004005u);
constexpr bool Failed(HResult hr) { return hr < 0; }

}  // namespace vk
