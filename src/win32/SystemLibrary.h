#pragma once

#include <windows.h>

#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// A DLL of System32 that only some paths use, loaded by the first call that asks for one of its
// functions instead of at start: a start that never takes those paths pays neither the loading
// nor the memory. Only System32's copy, never one put beside the exe or in the current folder.
class SystemLibrary {
  public:
    explicit SystemLibrary(const wchar_t* file) noexcept : file_(file) {}
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The function of that name, typed as the SDK declares it:
    //   library.Function<decltype(::ShellExecuteW)>("ShellExecuteW")
    // Null when the library or the function is not there.
    template <typename Declared>
    Declared* Function(const char* name) noexcept {
        if (!module_) {
            module_.Reset(::LoadLibraryExW(file_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
            if (!module_) {
                return nullptr;
            }
        }
        // Through a function type without parameters: the documented way to call what
        // GetProcAddress found.
        return reinterpret_cast<Declared*>(
            reinterpret_cast<void (*)()>(::GetProcAddress(module_.Get(), name)));
    }

    bool Loaded() const noexcept { return static_cast<bool>(module_); }

  private:
    const wchar_t* file_;
    UniqueModule module_;
};

}  // namespace ombrel::win32
