// Every C++ throw and rethrow of the program passes the raise-time filter before the runtime
// looks for a handler, so that a catch (...) on the way cannot hide an internal error. The link
// wraps the runtime's three raise points (-Wl,--wrap in the top CMakeLists.txt): __cxa_throw
// for throw, __cxa_rethrow for "throw;", and std::rethrow_exception, which in this libstdc++
// raises on its own through _Unwind_RaiseException rather than through either of the others.
#include <windows.h>

#include <cstring>
#include <exception>
#include <typeinfo>

#include "gen0/GenAssert.h"
#include "services/RaiseFilter.h"

// The destructor's calling convention (thiscall on i686 MinGW) does not matter here: the
// pointer only passes through.
using TThrowDestructor = void (*)(void*);

extern "C" {
[[noreturn]] void __real___cxa_throw(void* obj, std::type_info* type, TThrowDestructor dest);
[[noreturn]] void __real___cxa_rethrow();
[[noreturn]] void __real__ZSt17rethrow_exceptionNSt15__exception_ptr13exception_ptrE(
    std::exception_ptr e);
}

namespace {
// Other threads keep the runtime's own behaviour; no allocation, nothing escapes.
void PassToFilter(void* obj, const std::type_info* type, void* address) {
  TRaiseFilter filter = InstalledRaiseFilter;
  if (!filter || !obj || GetCurrentThreadId() != RaiseFilterThread()) return;
  EXCEPTION_RECORD r = {};
  r.ExceptionCode = CppExceptionCode;
  r.ExceptionAddress = address;
  r.NumberParameters = 2;
  r.ExceptionInformation[0] = reinterpret_cast<ULONG_PTR>(obj);
  r.ExceptionInformation[1] = reinterpret_cast<ULONG_PTR>(type);
  try {
    filter(r);
  } catch (...) {
  }
}

// libstdc++'s exception_ptr holds nothing but the address of the thrown object.
void* ThrownObject(const std::exception_ptr& e) {
  static_assert(sizeof e == sizeof(void*));
  void* obj;
  std::memcpy(&obj, static_cast<const void*>(&e), sizeof obj);
  return obj;
}

void PassToFilter(const std::exception_ptr& e, void* address) {
  if (e) PassToFilter(ThrownObject(e), e.__cxa_exception_type(), address);
}
}  // namespace

extern "C" {
[[noreturn]] void __wrap___cxa_throw(void* obj, std::type_info* type, TThrowDestructor dest) {
  PassToFilter(obj, type, __builtin_return_address(0));
  __real___cxa_throw(obj, type, dest);
}

[[noreturn]] void __wrap___cxa_rethrow() {
  // Empty outside a handler or for a foreign exception; the runtime then does its own.
  PassToFilter(std::current_exception(), __builtin_return_address(0));
  __real___cxa_rethrow();
}

[[noreturn]] void __wrap__ZSt17rethrow_exceptionNSt15__exception_ptr13exception_ptrE(
    std::exception_ptr e) {
  PassToFilter(e, __builtin_return_address(0));
  __real__ZSt17rethrow_exceptionNSt15__exception_ptr13exception_ptrE(e);
}
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
