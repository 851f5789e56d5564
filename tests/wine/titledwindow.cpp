// Shows, for a while, a window of another program titled "Profilara", of
// the class of an Explorer window, as Explorer does when it is open on the
// program's folder.
//   titledwindow MILLISECONDS
#include <windows.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"CabinetWClass";
    if (!RegisterClassW(&windowClass))
        return 1;
    const HWND window = CreateWindowW(L"CabinetWClass", L"Profilara", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                      300, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    SetTimer(window, 1, static_cast<UINT>(std::strtoul(argv[1], nullptr, 10)), nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER)
            break;
        DispatchMessageW(&message);
    }
    return 0;
}
