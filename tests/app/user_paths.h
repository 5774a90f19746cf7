#pragma once
// The window fixture lives with the other shared ones.
#include "user_window.h"
