// Every C++ throw of the program passes the raise-time filter before the runtime looks for a
// handler: the link wraps __cxa_throw (-Wl,--wrap=__cxa_throw in the top CMakeLists.txt), so a
// catch (...) on the way cannot hide an internal error.
#include <windows.h>

#include <typeinfo>

#include "gen0/GenAssert.h"
#include "services/RaiseFilter.h"

// The destructor's calling convention (thiscall on i686 MinGW) does not matter here: the
// pointer only passes through.
using TThrowDestructor = void (*)(void*);

extern "C" [[noreturn]] void __real___cxa_throw(void* obj, std::type_info* type,
                                                TThrowDestructor dest);

extern "C" [[noreturn]] void __wrap___cxa_throw(void* obj, std::type_info* type,
                                                TThrowDestructor dest) {
  TRaiseFilter filter = InstalledRaiseFilter;
  // Other threads keep the runtime's own behaviour; no allocation, nothing escapes.
  if (filter && GetCurrentThreadId() == RaiseFilterThread()) {
    EXCEPTION_RECORD r = {};
    r.ExceptionCode = CppExceptionCode;
    r.ExceptionAddress = __builtin_return_address(0);
    r.NumberParameters = 2;
    r.ExceptionInformation[0] = reinterpret_cast<ULONG_PTR>(obj);
    r.ExceptionInformation[1] = reinterpret_cast<ULONG_PTR>(type);
    try {
      filter(r);
    } catch (...) {
    }
  }
  __real___cxa_throw(obj, type, dest);
}

const Exception* InternalFailureOf(void* object, const std::type_info* type) {
  // __do_catch is the runtime's own catch match: true for the class and every class derived
  // from it, with the pointer moved to that base.
  void* p = object;
  if (typeid(EAssertionFailed).__do_catch(type, &p, 1)) return static_cast<EAssertionFailed*>(p);
  p = object;
  if (typeid(ELuInternal).__do_catch(type, &p, 1)) return static_cast<ELuInternal*>(p);
  return nullptr;
}
