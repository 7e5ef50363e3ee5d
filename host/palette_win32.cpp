// The Windows window of the live palette: a floating tool window (WS_EX_TOOLWINDOW, a caption,
// resizable) on user32 with its own message loop. WM_PAINT draws the palette into a memory DC
// and copies it with one BitBlt, so nothing flickers; the background is never erased separately.
// Input invalidates only the rectangles of the tools it changed.
#include "host/key_map_win32.h"
#include "host/palette_view.h"
#include "host/palette_window.h"

#include <optional>

namespace {

const char kClassName[] = "ToolTrayPaletteWindow";
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

struct WindowState {
    HostPalette* host;
    PaletteInput* input;
    ClientReport report;
};

void Apply(HWND window, const InputEffect& effect)
{
    PrintLines(effect);
    for (const RECT& r : effect.dirty)
        InvalidateRect(window, &r, FALSE);
    if (effect.close)
        DestroyWindow(window);
}

// After a pointer event: the pointer stays captured exactly while a press is held. Releasing it
// sends WM_CAPTURECHANGED, which then finds no press.
void Pointer(HWND window, const WindowState& state, const InputEffect& effect)
{
    Apply(window, effect);
    if (!state.input->Holding() && GetCapture() == window)
        ReleaseCapture();
}

void Paint(HWND window, WindowState& state)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    if (width > 0 && height > 0) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        PaintPalette(memory, client, *state.host, state.input->Hot());
        const RECT& r = ps.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left, r.top,
               SRCCOPY);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(window, &ps);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    state.report.Drawn(origin.x, origin.y, width, height);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint(window, *state);
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED)
            Pointer(window, *state, state->input->Cancel());
        state->host->Resize(LOWORD(lParam), HIWORD(lParam));
        InvalidateRect(window, nullptr, FALSE); // the tools re-flowed
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(window);
        Pointer(window, *state, state->input->Press(x, y));
        return 0;
    case WM_MOUSEMOVE:
        Pointer(window, *state, state->input->Move(x, y, (wParam & MK_LBUTTON) != 0));
        return 0;
    case WM_LBUTTONUP:
        Pointer(window, *state, state->input->Release(x, y));
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the pointer mid-press: no button-up will come, so the tool must
        // not stay pressed.
        if (reinterpret_cast<HWND>(lParam) != window)
            Apply(window, state->input->Cancel());
        return 0;
    case WM_KILLFOCUS:
        Pointer(window, *state, state->input->Cancel()); // as a push button gives up a press
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            Pointer(window, *state, state->input->Cancel());
        break;
    case WM_KEYDOWN:
        if (const std::optional<PaletteKey> key = PaletteKeyOf(wParam)) {
            Apply(window, state->input->Key(*key));
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int RunPaletteWindow(HostPalette& host, PaletteInput& input, int width, int height,
                     bool printClient)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass)) {
        std::fprintf(stderr, "tooltray-palette: cannot register the window class\n");
        return 1;
    }
    // The window's outer size for the wanted client size.
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    WindowState state{&host, &input, ClientReport(printClient)};
    HWND window = CreateWindowExA(kExStyle, kClassName, "ToolTray palette", kStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, &state);
    if (!window) {
        std::fprintf(stderr, "tooltray-palette: cannot open a window\n");
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
