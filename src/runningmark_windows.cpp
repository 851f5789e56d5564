#include "runningmark.h"

#include <windows.h>

// Not owned: every running copy holds a handle, and the mutex is there
// while any of them runs. A failure leaves only the window check to the
// installer.
RunningMark::RunningMark() : m_handle(CreateMutexW(nullptr, FALSE, kRunningMarkName)) {}

RunningMark::~RunningMark()
{
    if (m_handle)
        CloseHandle(m_handle);
}
