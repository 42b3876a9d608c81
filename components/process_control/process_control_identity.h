#pragma once
// Who ProcessControl is in the registry. The recording test double registers
// under the same identity, so whichever of the two registered last serves.
#include "process_control_idl.h"
#include "registration.h"

namespace vk::com {

inline const ServerIdentity kProcessControlServer{CLSID_ProcessControl, LIBID_VesperkitProcessControl,
                                                  L"Vesperkit ProcessControl", L"Vesperkit.ProcessControl", 1, 0};

}  // namespace vk::com
