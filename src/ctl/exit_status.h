#pragma once
// dalvimoctl's exit status for how a command ended.

#include "remote/outcome.h"

namespace ctl {

int exitCodeOf(remote::Outcome::Kind kind);

} // namespace ctl
