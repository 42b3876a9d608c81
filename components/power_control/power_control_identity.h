#pragma once
// Who PowerControl is in the registry. The recording test double registers
// under the same identity, so whichever of the two registered last serves.
#include "power_control_idl.h"
#include "registration.h"

namespace vk::com {

inline const ServerIdentity kPowerControlServer{CLSID_PowerControl, LIBID_VesperkitPowerControl,
                                                L"Vesperkit PowerControl", L"Vesperkit.PowerControl", 1, 0};

}  // namespace vk::com
