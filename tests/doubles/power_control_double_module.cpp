// PowerControlDouble.dll: serves the PowerControl class with the recording double.
#include "class_factory.h"
#include "dll_entries.h"
#include "power_control_double.h"
#include "power_control_identity.h"

vk::com::ServedClass vk::com::Served() {
  return {kPowerControlServer, &NewClassFactory<doubles::PowerControlDouble>};
}
