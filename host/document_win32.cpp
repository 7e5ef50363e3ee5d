// The Windows windows of the document host, on user32: the document window ("ToolTray document",
// an ordinary overlapped window) and, for each part, a floating tool window owned by it
// ("ToolTray palette PART": WS_EX_TOOLWINDOW, WS_POPUP), shown only while the part is active and
// its palette floats. Tooltips are the common tooltip control's.
//
// A docked palette is drawn in the document window's client area, not in a child window of its
// own: the document already owns that area and hands out the dock and the document area beside
// it, hit-tests its grip and tools on the document surface, and names the document window as the
// docked palette's tool-space window. A child window would be a third surface for the same pixels,
// with its own focus and capture to keep in step with the document's.
//
// Pointer positions are taken from GetMessagePos (screen pixels, as the document wants them), not
// from the client coordinates in lParam: a floating window moves under the pointer while its grip
// is dragged, and lParam is relative to where the window was when the event was made.
#include "host/document_window.h"
#include "host/document_view.h"
#include "host/key_map_win32.h"
#include "host/palette_window.h"
#include "host/tool_tips_win32.h"

#include <windowsx.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const char kDocumentClass[] = "ToolTrayDocumentWindow";
const char kPaletteClass[] = "ToolTrayDocumentPalette";
constexpr DWORD kDocumentStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// A floating palette has no frame of its own: its window is its grip and its palette, so the
// floating rectangle the palette keeps is exactly the window's.
constexpr DWORD kPaletteStyle = WS_POPUP;
constexpr DWORD kPaletteExStyle = WS_EX_TOOLWINDOW;

class Win32Document {
public:
    Win32Document(DocumentHost& document, const DocumentOptions& options)
        : document_(document), options_(options), floating_(document.PartCount(), nullptr)
    {}

    bool Open();
    int Run();

    LRESULT DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT PaletteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::optional<Surface> SurfaceOf(HWND window) const;
    void Apply(const DocumentEffect& effect);
    void Pointer(HWND window, const DocumentEffect& effect);
    void Place();
    void Arrange();
    void SetTips();
    void Paint(HWND window);
    // A screen rectangle in the client pixels of a window whose client origin is at (x, y).
    static RECT Within(const PixelRect& r, int x, int y)
    {
        return RECT{r.x - x, r.y - y, r.Right() - x, r.Bottom() - y};
    }
    POINT ClientOrigin(HWND window) const
    {
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        return origin;
    }

    DocumentHost& document_;
    const DocumentOptions& options_;
    HWND window_ = nullptr;
    std::vector<HWND> floating_; // per part
    PaletteToolTips tips_;
    ClientReport report_{false};
    int tipsPart_ = -1; // the part whose tools the tips were made for, and where
    HWND tipsWindow_ = nullptr;
    PixelRect tipsPalette_;
};

Win32Document* StateOf(HWND window)
{
    return reinterpret_cast<Win32Document*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The window procedure of each class of window the document makes: the document that made the
// window (its creation parameter, kept in the window's user data) takes its messages.
template <LRESULT (Win32Document::*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    Win32Document* state = StateOf(window);
    return state ? (state->*Handle)(window, message, wParam, lParam)
                 : DefWindowProcA(window, message, wParam, lParam);
}

bool Register(const char* name, WNDPROC procedure, HBRUSH background)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}

bool Win32Document::Open()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Double-clicks are the document's to recognise (from the press times), so no CS_DBLCLKS:
    // every press arrives as a press.
    if (!Register(kDocumentClass, WindowProc<&Win32Document::DocumentProc>, nullptr) ||
        !Register(kPaletteClass, WindowProc<&Win32Document::PaletteProc>, nullptr)) {
        std::fprintf(stderr, "tooltray-document: cannot register the window classes\n");
        return false;
    }
    RECT frame{0, 0, options_.width, options_.height};
    AdjustWindowRectEx(&frame, kDocumentStyle, FALSE, 0);
    window_ = CreateWindowExA(0, kDocumentClass, "ToolTray document", kDocumentStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance, this);
    if (!window_) {
        std::fprintf(stderr, "tooltray-document: cannot open a window\n");
        return false;
    }
    document_.SetDocumentWindow(window_);
    for (int part = 0; part < document_.PartCount(); ++part) {
        const std::string title = "ToolTray palette " + document_.PartName(part);
        floating_[part] =
            CreateWindowExA(kPaletteExStyle, kPaletteClass, title.c_str(), kPaletteStyle, 0, 0, 1,
                            1, window_, nullptr, instance, this);
        if (!floating_[part]) {
            std::fprintf(stderr, "tooltray-document: cannot open a palette window\n");
            return false;
        }
        document_.SetFloatingWindow(part, floating_[part]);
    }
    if (!tips_.Create(window_))
        std::fprintf(stderr, "tooltray-document: no tooltip control: tools show no names\n");
    report_ = ClientReport(options_.printClient);
    ShowWindow(window_, SW_SHOWNORMAL);
    Place();
    UpdateWindow(window_);
    return true;
}

int Win32Document::Run()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

std::optional<Surface> Win32Document::SurfaceOf(HWND window) const
{
    if (window == window_)
        return Surface::Document;
    const int active = document_.Active();
    if (active >= 0 && active < static_cast<int>(floating_.size()) && floating_[active] == window)
        return Surface::Floating;
    return std::nullopt; // a hidden part's window: nothing of it is on screen
}

// Tells the document where the screen and the client area are.
void Win32Document::Place()
{
    const PixelRect screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                           GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT client;
    GetClientRect(window_, &client);
    const POINT origin = ClientOrigin(window_);
    Apply(document_.Place(screen, PixelRect{origin.x, origin.y, static_cast<int>(client.right),
                                            static_cast<int>(client.bottom)}));
}

void Win32Document::Apply(const DocumentEffect& effect)
{
    PrintEffect(effect);
    if (effect.placement)
        Arrange();
    if (effect.repaint || effect.placement) {
        InvalidateRect(window_, nullptr, FALSE);
        for (HWND floating : floating_)
            if (IsWindowVisible(floating))
                InvalidateRect(floating, nullptr, FALSE);
    }
    if (effect.close)
        DestroyWindow(window_);
}

// After a pointer event: the pointer stays captured exactly while a press is held, so that a
// grip dragged off its window still follows and the release comes back here wherever it happens.
// So no window asks for WM_MOUSELEAVE: a held press never sees the pointer leave, and nothing
// else needs to know (the tooltip control watches the pointer itself). Under Wine, tracking the
// pointer's leaving costs a timer's wake-ups for as long as the pointer rests on the window.
void Win32Document::Pointer(HWND window, const DocumentEffect& effect)
{
    Apply(effect);
    if (!document_.Holding() && GetCapture() == window)
        ReleaseCapture();
    if (!document_.Holding() && (effect.placement || effect.repaint))
        SetTips();
}

// Shows the active part's floating window where its palette floats, and hides every other.
void Win32Document::Arrange()
{
    const int active = document_.Active();
    for (int part = 0; part < static_cast<int>(floating_.size()); ++part) {
        const PaletteGeometry geometry = document_.Geometry(part);
        HWND floating = floating_[part];
        if (part == active && geometry.shown && geometry.placement.floating) {
            const PixelRect& r = geometry.carrier;
            // Without activating it: a palette never takes the keyboard from the document.
            SetWindowPos(floating, nullptr, r.x, r.y, r.width, r.height,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        } else if (IsWindowVisible(floating)) {
            ShowWindow(floating, SW_HIDE);
        }
    }
    if (!document_.Holding())
        SetTips();
}

// One tip per tool of the palette on screen, over the window that carries it. Made again only
// when the palette, its window or its place changed.
void Win32Document::SetTips()
{
    const int active = document_.Active();
    const PaletteGeometry geometry = document_.Geometry(active);
    HWND carrier = nullptr;
    if (geometry.shown)
        carrier = geometry.placement.floating ? floating_[active] : window_;
    if (active == tipsPart_ && carrier == tipsWindow_ && geometry.palette == tipsPalette_)
        return;
    tipsPart_ = active;
    tipsWindow_ = carrier;
    tipsPalette_ = geometry.palette;
    if (!carrier) {
        tips_.Clear();
        return;
    }
    const Surface surface = geometry.placement.floating ? Surface::Floating : Surface::Document;
    const POINT origin = geometry.placement.floating ? POINT{geometry.carrier.x, geometry.carrier.y}
                                                     : ClientOrigin(window_);
    std::vector<TipTool> tools;
    for (ToolInfo* tool : document_.PaletteOf(active).Tools()) {
        const RECT bounds = HostPalette::Bounds(tool);
        const int x = geometry.palette.x + static_cast<int>(bounds.left + bounds.right) / 2;
        const int y = geometry.palette.y + static_cast<int>(bounds.top + bounds.bottom) / 2;
        if (const std::optional<Tooltip> tip = document_.TooltipAt(surface, x, y))
            tools.push_back(TipTool{Within(tip->tool, origin.x, origin.y), tip->text});
    }
    tips_.SetTools(carrier, tools);
}

// Into a memory DC first and onto the window with one BitBlt, so nothing flickers.
void Win32Document::Paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    if (client.right > 0 && client.bottom > 0) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        if (window == window_) {
            PaintDocument(memory, document_);
        } else {
            for (int part = 0; part < static_cast<int>(floating_.size()); ++part)
                if (floating_[part] == window)
                    PaintFloating(memory, document_, part);
        }
        const RECT& r = ps.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left, r.top,
               SRCCOPY);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(window, &ps);
    if (window == window_) {
        const POINT origin = ClientOrigin(window_);
        report_.Drawn(origin.x, origin.y, client.right, client.bottom);
    }
}

LRESULT Win32Document::PaletteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // a click on a palette leaves the keyboard with the document
    case WM_NCHITTEST:
        return HTCLIENT;
    default:
        return DocumentProc(window, message, wParam, lParam);
    }
}

LRESULT Win32Document::DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const DWORD at = GetMessagePos();
    const int x = GET_X_LPARAM(at), y = GET_Y_LPARAM(at);
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_SIZE:
    case WM_MOVE:
        if (window == window_) {
            if (wParam == SIZE_MINIMIZED && message == WM_SIZE)
                Pointer(window, document_.Cancel());
            else
                Place();
            return 0;
        }
        break;
    case WM_DISPLAYCHANGE:
        if (window == window_)
            Place();
        break;
    case WM_LBUTTONDOWN:
        if (const std::optional<Surface> surface = SurfaceOf(window)) {
            SetCapture(window);
            Pointer(window,
                    document_.Press(*surface, x, y, static_cast<uint32_t>(GetMessageTime())));
        }
        return 0;
    case WM_MOUSEMOVE:
        if (const std::optional<Surface> surface = SurfaceOf(window))
            Pointer(window, document_.Move(*surface, x, y, (wParam & MK_LBUTTON) != 0));
        return 0;
    case WM_LBUTTONUP:
        if (const std::optional<Surface> surface = SurfaceOf(window))
            Pointer(window, document_.Release(*surface, x, y));
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the pointer mid-press: no button-up will come.
        if (reinterpret_cast<HWND>(lParam) != window && document_.Holding())
            Apply(document_.Cancel());
        return 0;
    case WM_KILLFOCUS:
        if (window == window_)
            Pointer(window, document_.Cancel());
        return 0;
    case WM_KEYDOWN:
        if (const std::optional<PaletteKey> key = PaletteKeyOf(wParam)) {
            Apply(document_.Key(*key));
            return 0;
        }
        break;
    case WM_NOTIFY:
        return 0;
    case WM_CLOSE:
        if (window != window_)
            return 0; // a palette goes with its part, never on its own
        break;
    case WM_DESTROY:
        if (window == window_) {
            tips_.Clear();
            PostQuitMessage(0);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int RunDocumentWindow(DocumentHost& document, const DocumentOptions& options)
{
    Win32Document windows(document, options);
    if (!windows.Open())
        return 1;
    return windows.Run();
}
