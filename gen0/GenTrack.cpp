#include "gen0/GenTrack.h"

#include <cstdio>
#include <cxxabi.h>
#include <typeinfo>

#include "gen0/GenAssert.h"

TCObjectArray* g_TCObjectArray = nullptr;
std::uint32_t ProcessSignature = 0;

namespace {
constexpr std::uint32_t StackRefill = 1024;

// Refills the free stack: a fresh block of slots while the array has few unused ones, otherwise
// the empty slots found from the bottom.
void RefillFreeSlots(TCObjectArray& a) {
  std::uint32_t unused = std::uint32_t(a.Slots.size()) - a.Live - 1;
  if (unused < StackRefill) {
    std::uint32_t first = std::uint32_t(a.Slots.size());
    a.Slots.resize(a.Slots.size() + StackRefill, nullptr);
    // Pushed lowest first, so the highest new slot is taken first.
    for (std::uint32_t i = 0; i < StackRefill; ++i) a.Free.push_back(first + i);
  } else {
    for (std::uint32_t i = 1; i < a.Slots.size() && a.Free.size() < StackRefill; ++i)
      if (!a.Slots[i]) a.Free.push_back(i);
  }
  GEN_ASSERT(!a.Free.empty());
}
}  // namespace

TCComponent::TCComponent() {
  if (!g_TCObjectArray) return;
  Signature = ProcessSignature;
  Constructed = 1;
  TCObjectArray& a = *g_TCObjectArray;
  if (a.Free.empty()) RefillFreeSlots(a);
  std::uint32_t slot = a.Free.back();
  a.Free.pop_back();
  GEN_ASSERT(!a.Slots[slot]);
  a.Slots[slot] = this;
  ++a.Live;
  RegistryIndex = slot;
}

TCComponent::~TCComponent() {
  // Objects made before the registry existed were never tracked.
  if (!g_TCObjectArray || (RegistryIndex == 0 && Signature == 0)) return;
  const bool foreign = Signature != ProcessSignature;
  Signature = 0;
  // The slot and the count go back before the prompt can raise: the object is gone either way,
  // and the shut-down report must not meet it.
  TCComponent* held = this;
  if (RegistryIndex != 0) {
    TCObjectArray& a = *g_TCObjectArray;
    held = a.Slots[RegistryIndex];
    a.Slots[RegistryIndex] = nullptr;
    if (a.Free.size() < StackRefill) a.Free.push_back(RegistryIndex);
    --a.Live;
  }
  try {
    if (foreign) InvalidReleasePrompt(this);
    GEN_ASSERT(held == this);
  } catch (const Exception& e) {
    // A destructor cannot raise: Retry's exception or the failed check is reported instead.
    if (ReportException) ReportException(e);
  }
}

std::string TCComponent::ClassName() const {
  int status = 0;
  char* name = abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &status);
  std::string s = status == 0 && name ? name : typeid(*this).name();
  std::free(name);
  return s;
}

void CreateObjectRegistry() {
  g_TCObjectArray = new TCObjectArray;
  g_TCObjectArray->Slots.push_back(nullptr);
}

std::string LiveObjectReport() {
  std::string lines;
  if (!g_TCObjectArray) return lines;
  const auto& slots = g_TCObjectArray->Slots;
  for (size_t i = 1; i < slots.size(); ++i) {
    if (!slots[i]) continue;
    char line[512];
    std::snprintf(line, sizeof line, "g_TCObjectArray[%d]:%p %s\r\n", int(i),
                  static_cast<void*>(slots[i]), slots[i]->ClassName().c_str());
    lines += line;
  }
  return lines;
}

