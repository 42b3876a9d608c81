#pragma once
// What the running system offers for power actions.
namespace vk::power {

// The system allows hibernation (powrprof's IsPwrHibernateAllowed).
bool HibernateAllowed();
// The system has the newer shutdown path (advapi32 exports InitiateShutdownA).
bool AltShutdownAvailable();

}  // namespace vk::power
