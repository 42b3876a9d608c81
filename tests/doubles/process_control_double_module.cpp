// ProcessControlDouble.dll: serves the ProcessControl class with the recording double.
#include "class_factory.h"
#include "dll_entries.h"
#include "process_control_double.h"
#include "process_control_identity.h"

vk::com::ServedClass vk::com::Served() {
  return {kProcessControlServer, &NewClassFactory<doubles::ProcessControlDouble>};
}
