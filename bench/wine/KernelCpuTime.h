#pragma once

#include <optional>
#include <string>

namespace ombrel::bench {

// Under Wine, GetProcessTimes reports nothing for another process; Linux knows, and Wine shows
// its files on drive Z:. Process ids here are Linux ones.

// The Wine process whose program file name is this (e.g. "Ombrel.exe"), if one runs; with an
// argument, the one whose command line has it too.
std::optional<int> LinuxProcessOf(const std::wstring& programFileName,
                                  const std::string& argument = {});
// CPU time of the process so far, ended threads included, in milliseconds (to 10 ms); nothing if
// it cannot be read.
std::optional<double> LinuxCpuMilliseconds(int processId);

}  // namespace ombrel::bench
