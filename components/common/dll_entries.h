#pragma once
// The four exports of a component DLL live once, guarded, in dll_entries.cpp;
// each DLL names what it serves by defining Served() in its module.cpp.
#include <windows.h>

#include "registration.h"

namespace vk::com {

struct ServedClass {
  const ServerIdentity& identity;
  // Hands out a fresh class object of the served class (NewClassFactory).
  HRESULT (*new_class_factory)(REFIID iid, void** out);
};

ServedClass Served();

}  // namespace vk::com
