#pragma once

#include "ControlState.h"

#include <string>
#include <vector>

namespace quendra {

// The controls of the main window in their state at start-up, in window order.
std::vector<ControlState> initialControls();

// Drop-down item lists shared with the window and the tests.
const std::vector<std::string>& genreNames();

} // namespace quendra
