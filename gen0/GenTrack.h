// Tracking of the library's components in debug mode: every live TCComponent holds a slot in
// g_TCObjectArray, and the objects still alive at shut-down are shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TCComponent {
public:
  TCComponent();
  virtual ~TCComponent();
  TCComponent(const TCComponent&) = delete;
  TCComponent& operator=(const TCComponent&) = delete;

  virtual std::string ClassName() const;

  std::uint32_t RegistryIndex = 0;  // 0: not tracked
  std::uint32_t Constructed = 0;    // 1 once construction has finished
  std::uint32_t Signature = 0;
};

struct TCObjectArray {
  std::vector<TCComponent*> Slots;   // slot 0 is never used
  std::vector<std::uint32_t> Free;   // up to 1024 free slot numbers
  std::uint32_t Live = 0;
};

// Exists in debug mode only.
extern TCObjectArray* g_TCObjectArray;
extern std::uint32_t ProcessSignature;

// From GetTickCount at start-up.
void ComputeProcessSignatureNow();
void CreateObjectRegistry();
// The lines of the objects still alive, one "g_TCObjectArray[%d]:%p %s\r\n" each.
std::string LiveObjectReport();
// Shows LiveObjectReport when objects are alive, then frees the registry.
void ReportLiveObjectsAndFree();

// The prompt when a tracked object's release fails the signature check. Abort ends the process
// with code 3, Retry raises, Ignore goes on.
void InvalidReleasePrompt(const void* object);
