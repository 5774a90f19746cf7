#include "ctl/exit_status.h"

#include "common/exit_codes.h"

namespace ctl {

int exitCodeOf(remote::Outcome::Kind kind)
{
    using remote::Outcome;
    switch (kind) {
    case Outcome::Done: return exit_code::kDone;
    case Outcome::Refused: return exit_code::kUsage;
    case Outcome::NoAnswer: return exit_code::kNoAnswer;
    case Outcome::QuorvanError: return exit_code::kQuorvanError;
    case Outcome::Unreadable: return exit_code::kUnreadable;
    }
    return exit_code::kUnreadable;
}

} // namespace ctl
