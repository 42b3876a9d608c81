#pragma once
// What the recording doubles share: the record file every call is appended
// to, and the answers and failures a test asks for through the environment.
// Everything is read afresh on each call, so a test may change it between
// calls of one object.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace vk::doubles {

// Appends "<line>\n" to the record file: VESPERKIT_RECORD_FILE, else
// calls.log beside the DLL. The file is opened and closed for each line so a
// test can read it at any moment.
void Record(const std::string& line);

// Records "<component>.<member>" (plus "=<value>" when value is given) and
// tells how the member is to end: it throws when VESPERKIT_DOUBLE_THROW names
// it, gives E_FAIL when VESPERKIT_DOUBLE_FAIL names it, else S_OK.
HRESULT RecordCall(const char* component, const char* member);
HRESULT RecordCall(const char* component, const char* member, const std::string& value);

// A recorded property put of a 32-bit value: "<component>.<member>=<value>";
// the value is kept in store only when the call is to succeed.
HRESULT RecordedPut(const char* component, const char* member, const LONG* value, LONG& store);

// A recorded property get: "<component>.<member>"; out receives stored, or 0
// when the call is to fail.
template <class T>
HRESULT RecordedGet(const char* component, const char* member, T stored, T* out) {
  const HRESULT hr = RecordCall(component, member);
  if (out == nullptr) return E_POINTER;
  *out = SUCCEEDED(hr) ? stored : T{};
  return hr;
}

// -1 or 0 as VESPERKIT_DOUBLE_ALTSHUTDOWN / VESPERKIT_DOUBLE_HIBERNATE say;
// -1 when the variable is unset or holds anything else.
VARIANT_BOOL ConfiguredAnswer(const char* variable);

// A BSTR as the ANSI text the program started from.
std::string ToAnsi(BSTR text);

}  // namespace vk::doubles
