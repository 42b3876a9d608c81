#pragma once
// Value types shared by every layer. Handles are numbers of the platform's
// pointer width (32 bits in the 32-bit program, 64 in the 64-bit build); the
// native build carries them as plain numbers that only the Windows adapters
// ever turn back into handles.
#include <cstdint>

namespace vk {

// Booleans are 16-bit everywhere in memory and in files: True = -1, False = 0.
using VbBool = std::int16_t;
inline constexpr VbBool kTrue = -1;
inline constexpr VbBool kFalse = 0;
constexpr VbBool ToVbBool(bool value) { return value ? kTrue : kFalse; }

using WindowHandle = std::uintptr_t;
using MenuHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;
using HResult = std::int32_t;

inline constexpr HResult kS_OK = 0;
inline constexpr HResult kE_NOTIMPL = static_cast<HResult>(0x80004001u);
inline constexpr HResult kE_FAIL = static_cast<HResult>(0x80004005u);
constexpr bool Failed(HResult hr) { return hr < 0; }

}  // namespace vk
