// ProcessControl.dll serves the one ProcessControl class.
#include "class_factory.h"
#include "dll_entries.h"
#include "process_control_identity.h"
#include "process_control_object.h"

vk::com::ServedClass vk::com::Served() {
  return {kProcessControlServer, &NewClassFactory<process::ProcessControlObject>};
}
