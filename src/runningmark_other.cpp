#include "runningmark.h"

// Outside Windows no installer looks for the program.
RunningMark::RunningMark() = default;
RunningMark::~RunningMark() = default;
