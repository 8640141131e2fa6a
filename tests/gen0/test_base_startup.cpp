// The base library and the process services start and stop as a whole, in the program's
// module order.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "app/Modules.h"
#include "gen/DialogLayer.h"
#include "gen/WorkLayer.h"
#include "gen0/GenBase.h"
#include "gen0/GenFile.h"
#include "gen0/GenHooks.h"
#include "gen0/GenLog.h"
#include "gen0/GenTrack.h"
#include "gen0/GenVersion.h"
#include "gui/Application.h"
#include "gui/MessageFlush.h"
#include "services/GenOle.h"
#include "services/PostCall.h"

namespace {
class Probe : public TCComponent {};

// Points this executable's import slots that hold `from` at `to`.
void RedirectImport(const void* from, const void* to) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& iat = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
  auto** slots = reinterpret_cast<const void**>(base + iat.VirtualAddress);
  DWORD old;
  for (DWORD i = 0; i < iat.Size / sizeof *slots; ++i)
    if (slots[i] == from && VirtualProtect(&slots[i], sizeof *slots, PAGE_READWRITE, &old))
      slots[i] = to;
}

// The error mode in force at the first look for a file, which may touch a drive.
decltype(&FindFirstFileA) s_findFirstFile;
UINT s_modeAtFirstFind = UINT(-1);
HANDLE WINAPI RecordingFindFirstFile(LPCSTR path, LPWIN32_FIND_DATAA data) {
  if (s_modeAtFirstFind == UINT(-1)) s_modeAtFirstFind = GetErrorMode();
  return s_findFirstFile(path, data);
}
}  // namespace

TEST(BaseStartup, StartsAndStopsInModuleOrder) {
  ASSERT_STREQ(ProgramModules[0].Name, "GenFunc0");  // everything else rests on it
  {
    ModuleRun run(ProgramModules, ProgramModuleCount);
    SetErrorMode(0);
    s_findFirstFile = &FindFirstFileA;  // read from its import slot, before the redirection
    const auto real = reinterpret_cast<void*>(s_findFirstFile);
    const auto recording = reinterpret_cast<void*>(&RecordingFindFirstFile);
    RedirectImport(real, recording);
    run.Start();
    RedirectImport(recording, real);
    EXPECT_EQ(s_modeAtFirstFind, UINT(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));
    EXPECT_TRUE(BaseLibraryStarted);
    EXPECT_EQ(ReportException, &DisplayException);  // the window layer's, over the default
    EXPECT_TRUE(LayerReady);
    EXPECT_NE(GenFunc0Instance, nullptr);
    EXPECT_GE(DeferredCallMessage, 0xC000u);
    EXPECT_NE(WindowsVersion, 0u);
    EXPECT_EQ(MsgTooManyLines, "行数が多すぎます");
    EXPECT_FALSE(ErrorLogEnabled);
    EXPECT_NE(ErrorLogPath().find("gen0_base_startup.log"), std::string::npos);
    EXPECT_EQ(DebugLogPath().substr(DebugLogPath().size() - 10), "\\DEBUG.LOG");
    EXPECT_TRUE(GenOleStarted());
    EXPECT_NE(GenFunc1Instance, nullptr);
    ASSERT_NE(Application, nullptr);
    EXPECT_NE(FlushMessages, nullptr);
    FlushMessages();  // the deferred-call service chained behind the GUI layer's flush
    Application->ProcessMessages();

    // Debug mode as under a debugger: tracked objects come and go without a leak.
    bool wasDebug = DebugMode;
    DebugMode = true;
    if (!g_TCObjectArray) CreateObjectRegistry();
    {
      Probe a, b;
      EXPECT_EQ(g_TCObjectArray->Live, 2u);
      EXPECT_NE(a.RegistryIndex, b.RegistryIndex);
      EXPECT_EQ(a.Signature, ProcessSignature);
      EXPECT_NE(LiveObjectReport().find("Probe"), std::string::npos);
    }
    EXPECT_EQ(g_TCObjectArray->Live, 0u);
    EXPECT_EQ(LiveObjectReport(), "");
    DebugMode = wasDebug;
    SetHandleInfo(reinterpret_cast<HANDLE>(0x1234), "残り.txt", KindFile);
  }  // stops: a leak would show the "genfunc.finalization" box and hang here
  EXPECT_FALSE(BaseLibraryStarted);
  EXPECT_EQ(GenFunc0Instance, nullptr);
  EXPECT_EQ(g_TCObjectArray, nullptr);
  EXPECT_FALSE(GenOleStarted());
  EXPECT_EQ(GenFunc1Instance, nullptr);
  EXPECT_EQ(Application, nullptr);
  EXPECT_EQ(FlushMessages, nullptr);
  EXPECT_EQ(HandleName(reinterpret_cast<HANDLE>(0x1234), KindFile), "");  // the table is released
}

TEST(BaseStartup, TrackingRefillsAndReusesSlots) {
  CreateObjectRegistry();
  {
    std::vector<std::unique_ptr<Probe>> many;
    for (int i = 0; i < 2500; ++i) many.push_back(std::make_unique<Probe>());
    EXPECT_EQ(g_TCObjectArray->Live, 2500u);
    for (int i = 0; i < 2500; i += 2) many[i].reset();
    for (int i = 0; i < 1250; ++i) many.push_back(std::make_unique<Probe>());
    EXPECT_EQ(g_TCObjectArray->Live, 2500u);
    EXPECT_LE(g_TCObjectArray->Slots.size(), 4097u);  // freed slots were taken again
  }
  EXPECT_EQ(g_TCObjectArray->Live, 0u);
  delete g_TCObjectArray;
  g_TCObjectArray = nullptr;
}

TEST(BaseStartup, SelfTestPasses) { GenFunc0SelfTest(); }
