// The raise-time filter. Its fatal paths run in a child copy of this executable, whose box the
// parent answers and whose exit code and marker files the parent reads; the texts and the
// chaining are checked in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>

#include "gen0/GenAssert.h"
#include "gen0/GenBase.h"
#include "gen0/GenError.h"
#include "gen0/GenLog.h"
#include "services/RaiseFilter.h"
#include "services/RaiseFilterTexts.h"
#include "tests/support/ChildProcess.h"

using namespace guitest;

namespace {
const char InternalErrorText[] =
    "内部エラー！お手数ですが、ソフトウェアの製造元にお問い合わせください。";

// Handlers that ran leave a file behind, so that the parent sees them after the child died.
std::string MarkerPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + "morimo_raise_" + name + ".marker";
}
void WriteMarker(const std::string& name) {
  HANDLE h =
      CreateFileA(MarkerPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}
bool TakeMarker(const std::string& name) { return DeleteFileA(MarkerPath(name).c_str()); }

void StartFilter() {
  InstallRaiseFilter(GetCurrentThreadId());
  RaiseFilterActivate(true);
}

class EDerivedInternal : public ELuInternal {
 public:
  using ELuInternal::ELuInternal;
};

// A base in front of ELuInternal puts the failure at an offset inside the object.
struct Tag {
  virtual ~Tag() = default;
  int tag = 0;
};
class ETaggedInternal : public Tag, public ELuInternal {
 public:
  using ELuInternal::ELuInternal;
};

int s_chainedCalls = 0;
int ChainedProbe(const EXCEPTION_RECORD&) {
  ++s_chainedCalls;
  return 7;
}

EXCEPTION_RECORD CppRecord(void* object, const std::type_info& type) {
  EXCEPTION_RECORD r = {};
  r.ExceptionCode = CppExceptionCode;
  r.NumberParameters = 2;
  r.ExceptionInformation[0] = reinterpret_cast<ULONG_PTR>(object);
  r.ExceptionInformation[1] = reinterpret_cast<ULONG_PTR>(&type);
  return r;
}
}  // namespace

// Each field keeps its 8 bytes; an address that reads like a later field's placeholder must
// not move that field; any operation but 0 (read) counts as a write.
TEST(AccessViolationText, FillsTheThreeFieldsInPlace) {
  const std::string head = "メモリアクセスエラー \r\nコードアドレス:";
  EXPECT_EQ(AccessViolationText(0x0040123A, 2, 1, 0x10),
            head + "0040123A データアドレス:00000010 操作:書き込み\r\n");
  EXPECT_EQ(AccessViolationText(0xDEADBEEF, 2, 0, 0xFFFFFFFF),
            head + "DEADBEEF データアドレス:FFFFFFFF 操作:読み込み\r\n");
  EXPECT_EQ(AccessViolationText(0x22222222, 3, 8, 0x33333333),
            head + "22222222 データアドレス:33333333 操作:書き込み\r\n");
  EXPECT_EQ(AccessViolationText(0x00401000, 1, 1, 0x10),
            head + "00401000 データアドレス:不明     操作:不明    \r\n");
}

TEST(RaiseFilter, FindsInternalFailuresAmongThrownObjects) {
  ELuInternal internal("x");
  EDerivedInternal derived("y");
  ETaggedInternal tagged("z");
  EAssertionFailed assertion("Assertion failure", "a.cpp", 3);
  ELuError error("e");
  std::runtime_error runtime("r");
  int number = 4;
  EXPECT_EQ(InternalFailureOf(&internal, &typeid(ELuInternal)), &internal);
  EXPECT_EQ(InternalFailureOf(&derived, &typeid(EDerivedInternal)), &derived);
  EXPECT_EQ(InternalFailureOf(&tagged, &typeid(ETaggedInternal)),
            static_cast<const Exception*>(&tagged));
  EXPECT_EQ(InternalFailureOf(&assertion, &typeid(EAssertionFailed)), &assertion);
  EXPECT_EQ(InternalFailureOf(&error, &typeid(ELuError)), nullptr);
  EXPECT_EQ(InternalFailureOf(&runtime, &typeid(std::runtime_error)), nullptr);
  EXPECT_EQ(InternalFailureOf(&number, &typeid(int)), nullptr);
}

// The filter chains what was installed before it, asks it only while active, lets an unwinding
// record pass, and a second installation over the chain fails the library's assertion.
TEST(RaiseFilter, ChainsThePreviousFilterAndRefusesASecondInstallation) {
  InstalledRaiseFilter = ChainedProbe;
  InstallRaiseFilter(GetCurrentThreadId());
  EXPECT_EQ(InstalledRaiseFilter, &RaiseFilter);

  ELuError error("e");
  ELuInternal internal("x");
  EXCEPTION_RECORD ordinary = CppRecord(&error, typeid(ELuError));
  EXCEPTION_RECORD unwinding = CppRecord(&internal, typeid(ELuInternal));
  unwinding.ExceptionFlags = EXCEPTION_UNWINDING;
  EXPECT_EQ(RaiseFilter(ordinary), 1);
  EXPECT_EQ(s_chainedCalls, 0);
  RaiseFilterActivate(true);
  int ordinaryResult = RaiseFilter(ordinary);
  int unwindingResult = RaiseFilter(unwinding);
  RaiseFilterActivate(false);
  EXPECT_EQ(ordinaryResult, 7);
  EXPECT_EQ(unwindingResult, 7);
  EXPECT_EQ(s_chainedCalls, 2);

  try {
    InstallRaiseFilter(GetCurrentThreadId());
    ADD_FAILURE() << "installed twice";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message, "Assertion failure (gen/genfunc1x, 59 行)");
  }
}

namespace {
void FilterOn() { RaiseFilterActivate(true); }

// Internal failures on the filter's thread; the rethrown ones were caught or carried while the
// filter was off. A second installation fails the assertion even with nothing chained before.
const struct {
  const char* role;
  void (*raise)();
} InternalRaises[] = {
    {"assert", [] { FilterOn(); GEN_ASSERT(GetCurrentThreadId() == 0); }},
    {"internal", [] { FilterOn(); throw ELuInternal("x"); }},
    {"install_twice", [] { FilterOn(); InstallRaiseFilter(GetCurrentThreadId() + 1); }},
    {"rethrow", [] { try { throw ELuInternal("x"); } catch (...) { FilterOn(); throw; } }},
    {"rethrow_exception",
     [] {
       std::exception_ptr carried = std::make_exception_ptr(ELuInternal("x"));
       FilterOn();
       std::rethrow_exception(carried);
     }},
};
}  // namespace

// Each ends the process with the internal-error box before the catch (...) around it runs.
TEST(RaiseFilterFatal, InternalFailuresEndTheProcessBeforeAnyHandler) {
  for (const auto& r : InternalRaises) {
    if (!IsChild(r.role)) continue;
    InstallRaiseFilter(GetCurrentThreadId());
    try {
      r.raise();
    } catch (...) {
      WriteMarker(r.role);
    }
    ExitProcess(0);
  }
  for (const auto& r : InternalRaises) {
    TakeMarker(r.role);
    Child child;
    ASSERT_TRUE(StartChild("RaiseFilterFatal.InternalFailuresEndTheProcessBeforeAnyHandler",
                           r.role, child));
    DWORD code = 0;
    EXPECT_EQ(AnswerUntilExit(child, code), InternalErrorText) << r.role;
    EXPECT_NE(code, 0u) << r.role;
    EXPECT_NE(code, DWORD(STILL_ACTIVE)) << r.role;
    EXPECT_FALSE(TakeMarker(r.role)) << r.role << ": the handler ran";
  }
}

// The same internal error on another thread, and an ordinary error on the filter's thread, go
// to their handlers as usual.
TEST(RaiseFilterFatal, OtherThreadsAndOrdinaryErrorsReachTheirHandlers) {
  if (IsChild("survive")) {
    StartFilter();
    std::thread worker([] {
      try {
        throw ELuInternal("x");
      } catch (const ELuInternal&) {
        WriteMarker("worker");
      }
    });
    worker.join();
    try {
      throw ELuError("普通のエラー");
    } catch (const ELuError&) {
      WriteMarker("main");
    }
    ExitProcess(0);
  }
  TakeMarker("worker");
  TakeMarker("main");
  Child child;
  ASSERT_TRUE(StartChild("RaiseFilterFatal.OtherThreadsAndOrdinaryErrorsReachTheirHandlers",
                         "survive", child));
  DWORD code = 1;
  EXPECT_EQ(AnswerUntilExit(child, code), "");
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(TakeMarker("worker"));
  EXPECT_TRUE(TakeMarker("main"));
}

// An access violation once the base library has started shows where it happened.
//
// Under qemu-user's Wine a real page fault reaches the program as an illegal instruction
// (qemu gives Wine's signal handler no page-fault trap number), so there the child raises the
// fault's record itself through RtlRaiseException, which puts the caller's address in it as a
// fault in our code has. On Windows the child writes to address 0x10.
TEST(RaiseFilterFatal, AccessViolationShowsTheAddresses) {
  if (IsChild("av")) {
    BaseLibraryStarted = true;
    StartFilter();
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (GetProcAddress(ntdll, "wine_get_version")) {
      using TRtlRaiseException = void(WINAPI*)(EXCEPTION_RECORD*);
      auto raise = reinterpret_cast<TRtlRaiseException>(
          reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlRaiseException")));
      EXCEPTION_RECORD r = {};
      r.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
      r.NumberParameters = 2;
      r.ExceptionInformation[0] = 1;
      r.ExceptionInformation[1] = 0x10;
      raise(&r);
    } else {
      // Through a volatile address: a constant one lets the compiler put a trap there instead.
      volatile ULONG_PTR address = 0x10;
      *reinterpret_cast<volatile int*>(address) = 1;
    }
    ExitProcess(0);
  }
  Child child;
  ASSERT_TRUE(StartChild("RaiseFilterFatal.AccessViolationShowsTheAddresses", "av", child));
  DWORD code = 0;
  std::string text = AnswerUntilExit(child, code);
  EXPECT_EQ(text.rfind("メモリアクセスエラー \r\nコードアドレス:", 0), 0u) << text;
  EXPECT_NE(text.find(" データアドレス:00000010 操作:書き込み\r\n"), std::string::npos) << text;
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, DWORD(STILL_ACTIVE));
}

// An access violation outside our image that nothing handles ends the process with the same
// report and its error-log entry. On Windows a bad pointer handed to a system DLL (RtlFillMemory,
// say) faults there and arrives the same way; under qemu-user's Wine that fault would arrive as
// an illegal instruction (see above), so the child raises the record through RaiseException,
// which on Windows and Wine alike puts an address inside kernelbase.dll into it.
TEST(RaiseFilterFatal, AnUnhandledFaultOutsideOurImageIsReportedAndLogged) {
  SetupLogPaths();
  if (IsChild("system")) {
    BaseLibraryStarted = ErrorLogEnabled = true;
    StartFilter();
    const ULONG_PTR args[2] = {1, 0x20};
    RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 2, args);
    ExitProcess(0);
  }
  DeleteFileA(ErrorLogPath().c_str());
  Child child;
  ASSERT_TRUE(StartChild("RaiseFilterFatal.AnUnhandledFaultOutsideOurImageIsReportedAndLogged",
                         "system", child));
  DWORD code = 0;
  std::string text = AnswerUntilExit(child, code);
  EXPECT_TRUE(text.starts_with("メモリアクセスエラー \r\nコードアドレス:")) << text;
  EXPECT_TRUE(text.ends_with(" データアドレス:00000020 操作:書き込み\r\n")) << text;
  EXPECT_NE(code, 0u);
  std::ifstream log(ErrorLogPath(), std::ios::binary);
  const std::string entries{std::istreambuf_iterator<char>(log), {}};
  EXPECT_NE(entries.find("{\r\n" + text + "\r\n}"), std::string::npos);
}
