#pragma once

// Tells the installer and the uninstaller that Profilara is running, from
// the program's first moment (before its first message box) to its end, so
// that they change none of its files while they are in use. On Windows it
// is the named mutex kRunningMarkName, which they look for; elsewhere there
// is nothing to tell.
class RunningMark
{
public:
    RunningMark();
    ~RunningMark();
    RunningMark(const RunningMark &) = delete;
    RunningMark &operator=(const RunningMark &) = delete;

private:
    void *m_handle = nullptr;
};

// The mutex's name, as dist/windows/profilara.nsi names it too: one per
// user session.
inline constexpr wchar_t kRunningMarkName[] = L"Local\\Profilara";
