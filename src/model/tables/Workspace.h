#pragma once
// The two workspaces of the program, each a table with its chart: the profile
// (load along the shaft, the X/Y chart) and the polar (load around the shaft,
// the polar chart).

namespace tarvex {

enum class Workspace { Profile, Polar };

} // namespace tarvex
