#include "GameInfo.h"

#include <algorithm>
#include <cstring>

#include "SysUtils.h"

DEFINE_COMPONENT(TGameInfo, TComponent,
                 ({PropRO<&TGameInfo::ComputerName>("ComputerName"),
                   PropRO<&TGameInfo::UserName>("UserName"),
                   PropRO<&TGameInfo::WinDir>("WinDir"),
                   PropRO<&TGameInfo::SysDir>("SysDir"),
                   PropRO<&TGameInfo::RegOwner>("RegOwner"),
                   PropRO<&TGameInfo::RegCompany>("RegCompany"),
                   PropRO<&TGameInfo::OSVersion>("OSVersion"),
                   PropRO<&TGameInfo::OSPlatform>("OSPlatform"),
                   PropRO<&TGameInfo::DispResu>("DispResu"),
                   PropRO<&TGameInfo::DirectXvs>("DirectXvs"),
                   PropRO<&TGameInfo::BitsPixel>("BitsPixel"),
                   PropRO<&TGameInfo::CPUvendor>("CPUvendor"),
                   PropRO<&TGameInfo::dwMemoryLoad>("dwMemoryLoad"),
                   PropRO<&TGameInfo::dwTotalPhys>("dwTotalPhys"),
                   PropRO<&TGameInfo::dwAvailPhys>("dwAvailPhys"),
                   PropRO<&TGameInfo::dwTotalPageFile>("dwTotalPageFile"),
                   PropRO<&TGameInfo::dwAvailPageFile>("dwAvailPageFile"),
                   PropRO<&TGameInfo::dwTotalVirtual>("dwTotalVirtual"),
                   PropRO<&TGameInfo::dwAvailVirtual>("dwAvailVirtual"),
                   PropRO<&TGameInfo::PageSize>("PageSize"),
                   PropRO<&TGameInfo::ActiveProcessorMask>("ActiveProcessorMask"),
                   PropRO<&TGameInfo::NumberOfProcessors>("NumberOfProcessors"),
                   PropRO<&TGameInfo::ProcessorType>("ProcessorType"),
                   PropRO<&TGameInfo::AllocationGranularity>("AllocationGranularity")}),
                 ({}))

namespace {

// The text of a filled buffer up to its first NUL.
std::string BufferText(const char* buffer, size_t size) { return std::string(buffer, strnlen(buffer, size)); }

}  // namespace

TGameInfo::TGameInfo(TComponent* AOwner) : TComponent(AOwner) {
  ReadComputerName();
  ReadUserName();
  ReadDirectories();
  ReadOSVersion();
  ReadRegistryInfo();
}

void TGameInfo::ReadComputerName() {
  char buffer[16] = {};
  DWORD size = sizeof(buffer);
  if (GetComputerNameA(buffer, &size)) FComputerName = BufferText(buffer, sizeof(buffer));
}

void TGameInfo::ReadUserName() {
  char buffer[50] = {};
  DWORD size = sizeof(buffer);
  if (GetUserNameA(buffer, &size)) FUserName = BufferText(buffer, sizeof(buffer));
}

void TGameInfo::ReadDirectories() {
  char buffer[261] = {};
  UINT length = GetSystemDirectoryA(buffer, sizeof(buffer));
  if (length > 0 && length < sizeof(buffer)) FSysDir = BufferText(buffer, sizeof(buffer));
  length = GetWindowsDirectoryA(buffer, sizeof(buffer));
  if (length > 0 && length < sizeof(buffer)) FWinDir = BufferText(buffer, sizeof(buffer));
}

void TGameInfo::ReadOSVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return;
  FOSVersion = Format("%d.%d (%d.%s)", static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion),
                      static_cast<int>(info.dwBuildNumber & 0xFFFF), BufferText(info.szCSDVersion, sizeof(info.szCSDVersion)).c_str());
  FPlatformId = info.dwPlatformId;
  switch (FPlatformId) {
    case VER_PLATFORM_WIN32s: FOSPlatform = "Windows 3.1"; break;
    case VER_PLATFORM_WIN32_WINDOWS: FOSPlatform = "Windows 95"; break;
    case VER_PLATFORM_WIN32_NT: FOSPlatform = "Windows NT"; break;
    default: break;
  }
}

void TGameInfo::ReadRegistryInfo() {
  TRegistry reg;  // full access: a user who may not write to a key gets none of its values
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  std::string ownerKey = FPlatformId == VER_PLATFORM_WIN32_WINDOWS ? "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
                         : FPlatformId == VER_PLATFORM_WIN32_NT ? "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                                                                : "";
  ReadRegistryStrings(reg, ownerKey, {{"RegisteredOwner", &FRegOwner}, {"RegisteredOrganization", &FRegCompany}});
  ReadRegistryStrings(reg, "\\SOFTWARE\\Microsoft\\DirectX", {{"Version", &FDirectXvs}});
  ReadRegistryStrings(reg, "\\hardware\\DESCRIPTION\\System\\CentralProcessor\\0", {{"VendorIdentifier", &FCPUvendor}});
  reg.SetRootKey(HKEY_CURRENT_CONFIG);
  ReadRegistryStrings(reg, "Display\\Settings", {{"Resolution", &FDispResu}, {"BitsPerPixel", &FBitsPixel}});
}

void ReadRegistryStrings(TRegistry& Reg, const std::string& Key, std::initializer_list<TRegistryValue> Values) {
  if (!Reg.OpenKey(Key, false)) return;
  for (const TRegistryValue& value : Values) {
    try {
      *value.Target = Reg.ReadString(value.Name);
    } catch (const ERegistryException&) {
      // A value stored as a number must not stop the form that holds this component from being created.
      value.Target->clear();
    }
  }
  Reg.CloseKey();
}

uint32_t TGameInfo::GetMemoryStatusValue(int Index) const {
  MEMORYSTATUS status{};
  status.dwLength = sizeof(status);
  GlobalMemoryStatus(&status);
  // In whole KB; a 64-bit figure beyond the 32-bit range reads as the largest one, not wrapped.
  auto kb = [](SIZE_T bytes) { return static_cast<uint32_t>(std::min<uint64_t>(bytes >> 10, UINT32_MAX)); };
  switch (Index) {
    case 1: return status.dwMemoryLoad;
    case 2: return kb(status.dwTotalPhys);
    case 3: return kb(status.dwAvailPhys);
    case 4: return kb(status.dwTotalPageFile);
    case 5: return kb(status.dwAvailPageFile);
    case 6: return kb(status.dwTotalVirtual);
    case 7: return kb(status.dwAvailVirtual);
    default: return 0;
  }
}

uint32_t TGameInfo::GetSystemInfoValue(int Index) const {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  switch (Index) {
    case 1: return info.dwPageSize;
    case 2: return static_cast<uint32_t>(info.dwActiveProcessorMask);
    case 3: return info.dwNumberOfProcessors;
    case 4: return info.dwProcessorType;
    case 5: return info.dwAllocationGranularity;
    default: return 0;
  }
}
