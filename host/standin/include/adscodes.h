#pragma once

// Result and value-type codes of the host's function interface.
constexpr int RTNORM = 5100;
constexpr int RTERROR = -5001;
constexpr int RTREJ = -5004;

constexpr short RTSTR = 5005;
