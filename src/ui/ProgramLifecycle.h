#pragma once

#include "engine/Inputs.h"

namespace ombrel {

// The program as the bar sees it: start-up and shut-down, which the main window's load and unload
// carry, and the one way to what the user asks.
class ProgramLifecycle {
  public:
    ProgramLifecycle() = default;
    ProgramLifecycle(const ProgramLifecycle&) = delete;
    ProgramLifecycle& operator=(const ProgramLifecycle&) = delete;
    virtual void Startup() = 0;
    // What the user asks by the bar (a button, the wheel, a menu, a drop), or the session's end.
    virtual void Run(const Input& input) = 0;
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
