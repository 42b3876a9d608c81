// PowerControl.dll serves the one PowerControl class.
#include "class_factory.h"
#include "dll_entries.h"
#include "power_control_identity.h"
#include "power_control_object.h"

vk::com::ServedClass vk::com::Served() {
  return {kPowerControlServer, &NewClassFactory<power::PowerControlObject>};
}
