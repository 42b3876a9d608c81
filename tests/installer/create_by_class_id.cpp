// Creates COM objects the way the program does, by class identifier through
// one interface each, and releases them at once:
//   vesperkit_create_by_class_id CLSID IID [CLSID IID ...]
// Prints one line per class; the exit code is the number that failed.
#include <windows.h>
#include <objbase.h>

#include <cstdio>

#include "owners.h"

namespace {

bool ParseGuid(const char* text, GUID& guid) {
  wchar_t wide[64] = {};
  return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 64) > 0 && SUCCEEDED(CLSIDFromString(wide, &guid));
}

HRESULT Create(const char* classText, const char* interfaceText) {
  GUID classId{};
  GUID interfaceId{};
  if (!ParseGuid(classText, classId) || !ParseGuid(interfaceText, interfaceId)) return E_INVALIDARG;
  vk::com::ComPtr<IUnknown> object;
  return CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object.PutVoid());
}

}  // namespace

int main(int argc, char** argv) {
  const vk::com::ComApartment apartment;
  int failed = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const HRESULT result = Create(argv[i], argv[i + 1]);
    std::printf("%s %s: 0x%08lx\n", argv[i], SUCCEEDED(result) ? "created" : "NOT created",
                static_cast<unsigned long>(result));
    failed += FAILED(result) ? 1 : 0;
  }
  return failed;
}
