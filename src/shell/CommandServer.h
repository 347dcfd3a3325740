#pragma once

#include <functional>
#include <string>

#include "engine/DesktopEngine.h"
#include "shell/CommandChannel.h"

namespace ombrel {

// The windows of every desktop as `list` prints them: one line per window, top first, the
// desktop's number ("P" for a pinned one, listed once), "*" on the current one, the program's
// file name, the title; tab-separated.
std::u16string WindowListText(const DesktopState& state);

// Answers the command lines of other processes: a command runs as its key or button would, a
// query is answered from the engine's state, and a subscription follows every change. The
// words of the answers, their forms and their exit codes are all here.
class CommandServer {
  public:
    // How a command is run: through the program, which ends itself for an exit.
    using Runner = std::function<Outcome(const Command&)>;

    CommandServer(CommandChannel& channel, DesktopEngine& engine, const Texts& texts, Runner run)
        : channel_(channel), engine_(engine), texts_(texts), run_(std::move(run)) {}

    // Runs what waits, each answered in turn. True when a command asked the program to end: its
    // caller has its answer, and what came after it waits for nobody.
    bool Serve();

  private:
    // The answer to one request; true for an exit.
    bool Answer(const CommandRequest& request);

    CommandChannel& channel_;
    DesktopEngine& engine_;
    const Texts& texts_;
    Runner run_;
};

}  // namespace ombrel
