#include "platform/win32/Win32ProgramInstance.h"

#include <cstdint>
#include <cstdio>
#include <utility>

namespace fondex::platform::win32 {
namespace {

constexpr const char* kWindowClass = "FondexLaterStarts";
// Tells the program's own messages from any other WM_COPYDATA.
constexpr ULONG_PTR kLaterStart = 0x46445853;
constexpr UINT kArrived = WM_APP + 1;
constexpr DWORD kListenWaitMs = 1000;
constexpr DWORD kRetryMs = 20;
constexpr UINT kAnswerWaitMs = 5000;

std::string FullName(const std::string& folder) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
  std::string name = length > 0 && length < MAX_PATH ? std::string(full, length) : folder;
  while (name.size() > 3 && name.back() == '\\') {
    name.pop_back();
  }
  return name;
}

// A mutex name may not hold a backslash and is limited in length: the key is a hash of the
// folder's lower-case full name.
std::string KeyOf(const std::string& programFolder) {
  std::string name = FullName(programFolder);
  ::CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
  std::uint64_t hash = 14695981039346656037u;
  for (const char c : name) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
  }
  char key[32];
  std::snprintf(key, sizeof key, "Fondex-%016llx", static_cast<unsigned long long>(hash));
  return key;
}

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassA(&windowClass);  // fails harmlessly once registered
}

}  // namespace

Win32ProgramInstance::Win32ProgramInstance(const std::string& programFolder)
    : key_(KeyOf(programFolder)) {}

Win32ProgramInstance::~Win32ProgramInstance() {
  if (window_ != nullptr) {
    ::DestroyWindow(window_);
  }
  if (mutex_ != nullptr) {
    ::CloseHandle(mutex_);
  }
}

bool Win32ProgramInstance::Claim() {
  if (mutex_ != nullptr) {
    return true;
  }
  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, ("Local\\" + key_).c_str());
  if (mutex == nullptr) {
    return true;  // no guard to be had: the program runs as if alone
  }
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return false;
  }
  mutex_ = mutex;
  Listen();
  return true;
}

void Win32ProgramInstance::Listen() {
  RegisterWindowClass(&Procedure);
  window_ = ::CreateWindowExA(0, kWindowClass, key_.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
  ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

bool Win32ProgramInstance::Send(const std::string& message) {
  const DWORD start = ::GetTickCount();
  HWND running = nullptr;
  while ((running = ::FindWindowExA(HWND_MESSAGE, nullptr, kWindowClass, key_.c_str())) ==
             nullptr &&
         ::GetTickCount() - start < kListenWaitMs) {
    ::Sleep(kRetryMs);
  }
  if (running == nullptr) {
    return false;
  }
  // The running copy may then bring its window to the front.
  DWORD process = 0;
  ::GetWindowThreadProcessId(running, &process);
  ::AllowSetForegroundWindow(process);
  COPYDATASTRUCT data{kLaterStart, static_cast<DWORD>(message.size()),
                      const_cast<char*>(message.data())};
  DWORD_PTR answer = FALSE;
  return ::SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, kAnswerWaitMs, &answer) != 0 &&
         answer == TRUE;
}

std::vector<std::string> Win32ProgramInstance::Receive() {
  return std::exchange(waiting_, {});
}

LRESULT CALLBACK Win32ProgramInstance::Procedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  auto* self = reinterpret_cast<Win32ProgramInstance*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData != kLaterStart) {
      return FALSE;
    }
    self->waiting_.push_back(
        data->cbData == 0 ? std::string()
                          : std::string(static_cast<const char*>(data->lpData), data->cbData));
    // The command runs after the sender has its answer: it may open a box of its own.
    ::PostMessageA(window, kArrived, 0, 0);
    return TRUE;
  }
  if (self != nullptr && message == kArrived) {
    if (self->arrived_ && !self->waiting_.empty()) {
      self->arrived_();
    }
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace fondex::platform::win32
