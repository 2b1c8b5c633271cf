#include <shlwapi.h>
#include <urlmon.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Cp932_win.h"
#include "platform/Files.h"
#include "platform/Handle_win.h"
#include "platform/OriginMark.h"

namespace platform {

namespace {

// The zone the system gives the file's URL (MapUrlToZone, which also
// reads the file's mark); nothing when it does not answer. The URL is
// made from the full path, as the shell makes one ("file:///C:/dir/a.qpx",
// "file://server/share/a.qpx"): a relative one names no place.
std::optional<long long> SystemZoneOf(const std::wstring& fullPath) {
  std::vector<wchar_t> made(fullPath.size() * 3 + 16);
  DWORD length = static_cast<DWORD>(made.size());
  if (FAILED(::UrlCreateFromPathW(fullPath.c_str(), made.data(), &length, 0))) return std::nullopt;
  std::wstring url(made.data(), length);
  HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::optional<long long> zone;
  IInternetSecurityManager* manager = nullptr;
  if (SUCCEEDED(::CoInternetCreateSecurityManager(nullptr, &manager, 0)) && manager != nullptr) {
    DWORD answer = 0;
    if (SUCCEEDED(manager->MapUrlToZone(url.c_str(), &answer, MUTZ_REQUIRESAVEDFILECHECK)) &&
        static_cast<LONG>(answer) >= 0) {
      zone = static_cast<LONG>(answer);
    }
    manager->Release();
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return zone;
}

}  // namespace

// The stream of the file the path opens (its full path: "a.qpx." opens
// a.qpx) and the system's zone for it; the higher counts. Where the full
// path has no CP932 form the stream is read by the name as given.
bool ReadOriginMark(const std::string& path, OriginMark& mark) {
  std::wstring wideFull;
  bool hasFull = win::GetWideFullPath(path, wideFull);
  std::string full;
  if (!hasFull || !win::ToCp932Name(wideFull, full)) full = path;
  ZoneCalls calls{[&full](OriginMark& found) { return ReadZoneIdentifier(full, found); },
                  [&]() { return hasFull ? SystemZoneOf(wideFull) : std::nullopt; }};
  return DecideOriginMark(calls, mark);
}

}  // namespace platform
