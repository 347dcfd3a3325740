#pragma once

namespace ombrel {

// Start-up and shut-down, which the main window's load and unload carry.
class ProgramLifecycle {
  public:
    ProgramLifecycle() = default;
    ProgramLifecycle(const ProgramLifecycle&) = delete;
    ProgramLifecycle& operator=(const ProgramLifecycle&) = delete;
    virtual void Startup() = 0;
    virtual void Shutdown() = 0;
    // The user put the bar somewhere else: kept for the next start.
    virtual void BarMovedByUser() = 0;
    // Opens the settings file in the user's editor, written from the template if there is none.
    virtual void EditSettingsFile() = 0;
    virtual void OpenLog() = 0;
    // A refresh tick has passed.
    virtual void Refreshed() = 0;

  protected:
    ~ProgramLifecycle() = default;
};

}  // namespace ombrel
