#include "common/console.h"

namespace term {

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

} // namespace term
