#pragma once
// The exit statuses of every program of Dalvimo, one definition each:
// dalvimoctl's for how a command ended (dalvimo-web repeats them in its
// failures' "status"), and the usage error that all of them share.

namespace exit_code {

inline constexpr int kDone = 0;
inline constexpr int kQuorvanError = 1; // Quorvan answered "Err" with a code other than 0
inline constexpr int kNoAnswer = 2;     // or the server could not be reached at all
inline constexpr int kUnreadable = 3;   // a reply that could not be taken apart
inline constexpr int kUsage = 64;       // EX_USAGE, as sysexits.h names it

} // namespace exit_code
