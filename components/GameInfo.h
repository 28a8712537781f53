// TGameInfo: facts about the machine and the platform, read when the component is created.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "Component.h"
#include "Registry.h"

class TGameInfo : public TComponent {
  DECLARE_CLASS(TGameInfo, TComponent)
 public:
  // Reads the string properties once; they are never refreshed.
  explicit TGameInfo(TComponent* AOwner);

  const std::string& ComputerName() const { return FComputerName; }
  const std::string& UserName() const { return FUserName; }
  const std::string& WinDir() const { return FWinDir; }
  const std::string& SysDir() const { return FSysDir; }
  const std::string& RegOwner() const { return FRegOwner; }
  const std::string& RegCompany() const { return FRegCompany; }
  const std::string& OSVersion() const { return FOSVersion; }
  // "Windows 3.1", "Windows 95" (the whole 9x family) or "Windows NT"; empty when unknown.
  const std::string& OSPlatform() const { return FOSPlatform; }
  const std::string& DispResu() const { return FDispResu; }
  const std::string& DirectXvs() const { return FDirectXvs; }
  const std::string& BitsPixel() const { return FBitsPixel; }
  const std::string& CPUvendor() const { return FCPUvendor; }

  // Memory figures in KB (the load in percent), read afresh at each access.
  uint32_t dwMemoryLoad() const { return GetMemoryStatusValue(1); }
  uint32_t dwTotalPhys() const { return GetMemoryStatusValue(2); }
  uint32_t dwAvailPhys() const { return GetMemoryStatusValue(3); }
  uint32_t dwTotalPageFile() const { return GetMemoryStatusValue(4); }
  uint32_t dwAvailPageFile() const { return GetMemoryStatusValue(5); }
  uint32_t dwTotalVirtual() const { return GetMemoryStatusValue(6); }
  uint32_t dwAvailVirtual() const { return GetMemoryStatusValue(7); }
  // Processor figures, read afresh at each access.
  uint32_t PageSize() const { return GetSystemInfoValue(1); }
  uint32_t ActiveProcessorMask() const { return GetSystemInfoValue(2); }
  uint32_t NumberOfProcessors() const { return GetSystemInfoValue(3); }
  uint32_t ProcessorType() const { return GetSystemInfoValue(4); }
  uint32_t AllocationGranularity() const { return GetSystemInfoValue(5); }

 private:
  void ReadComputerName();
  void ReadUserName();
  void ReadDirectories();
  void ReadOSVersion();
  void ReadRegistryInfo();
  uint32_t GetMemoryStatusValue(int Index) const;
  uint32_t GetSystemInfoValue(int Index) const;

  std::string FComputerName;
  std::string FUserName;
  std::string FWinDir;
  std::string FSysDir;
  std::string FRegOwner;
  std::string FRegCompany;
  std::string FOSVersion;
  std::string FOSPlatform;
  uint32_t FPlatformId = 0;  // picks the key of owner and organisation; 0 when the version is unknown
  std::string FDispResu;
  std::string FDirectXvs;
  std::string FBitsPixel;
  std::string FCPUvendor;
};

// A registry value and the string it is read into.
struct TRegistryValue {
  const char* Name;
  std::string* Target;
};

// Opens Key of Reg (never creating it) and reads each value as a string: a missing value, or one of
// another type, reads as empty. A key that cannot be opened leaves the targets as they are.
void ReadRegistryStrings(TRegistry& Reg, const std::string& Key, std::initializer_list<TRegistryValue> Values);

// Form resources create TGameInfo by name: every unit that includes this header links its registration.
namespace {
[[maybe_unused]] const TClass GameInfoClassLinked = TGameInfo::StaticClass();
}
