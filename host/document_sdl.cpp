// The Linux windows of the document host, through SDL2: the document window, one floating window
// per part (shown while its part is active and its palette floats; on X11 transient for the
// document window, which owns it) and a tooltip popup. Each shows a DIB section the shared view
// draws into; an SDL surface wraps the section's pixels.
//
// On X11 the pointer is read from the X server's own events, as the palette's window does (SDL
// drops presses it believes impossible after a lost release), and in root coordinates, which is
// what the document takes and what stays right while a floating window moves under the pointer
// it is dragged by. There is no capture: the server's implicit grab on a press already sends
// the motion and the release to the window pressed. Without a window manager nothing places or
// moves windows but this program, so it places every window itself.
#include "host/dib_section_dc.h"
#include "host/document_view.h"
#include "host/document_window.h"
#include "host/key_map_sdl.h"
#include "host/sdl_late_wakeups.h"
#include "host/palette_window.h"

#include <SDL.h>
#include <SDL_syswm.h> // last: on X11 it brings Xlib's macros (None, Bool, Status...)

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Hovering this long over a tool, without moving, shows its name.
constexpr Uint32 kTooltipDelayMs = 500;
// While a press is held on X11 the pointer is asked for this often (see PollHeld).
constexpr Uint32 kHeldPollMs = 10;
// The release event is read before the pointer's answer that shows the button up; allowing a few
// more looks leaves SDL time to deliver it.
constexpr int kLostReleasePolls = 5;

// An SDL window showing a DIB section of its own size.
class Canvas {
public:
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas()
    {
        if (pixels_)
            SDL_FreeSurface(pixels_);
        if (window)
            SDL_DestroyWindow(window);
    }

    // A fresh section when the size changed; false when none can be made.
    bool Size(int width, int height)
    {
        if (dib_ && width == width_ && height == height_)
            return true;
        if (pixels_)
            SDL_FreeSurface(pixels_);
        pixels_ = nullptr;
        dib_ = std::make_unique<DibSectionDc>(std::max(1, width), std::max(1, height));
        if (!dib_->Ok())
            return false;
        width_ = std::max(1, width);
        height_ = std::max(1, height);
        // Rows of 0x00RRGGBB words, top down: SDL's XRGB8888, used in place.
        pixels_ = SDL_CreateRGBSurfaceWithFormatFrom(dib_->Bits(), width_, height_, 32, width_ * 4,
                                                     SDL_PIXELFORMAT_RGB888);
        return pixels_ != nullptr;
    }
    HDC Dc() const { return dib_ ? dib_->Dc() : nullptr; }

    // Copies the whole section to the window.
    void Show()
    {
        SDL_Surface* screen = window ? SDL_GetWindowSurface(window) : nullptr;
        if (!screen || !pixels_)
            return;
        GdiFlush();
        SDL_Rect all{0, 0, width_, height_};
        SDL_BlitSurface(pixels_, &all, screen, &all);
        SDL_UpdateWindowSurface(window);
    }

    SDL_Window* window = nullptr;
    bool visible = false;

private:
    std::unique_ptr<DibSectionDc> dib_;
    SDL_Surface* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

#if defined(SDL_VIDEO_DRIVER_X11)
bool X11Info(SDL_Window* window, SDL_SysWMinfo& info)
{
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}
#endif

// The X window now behind an SDL window, 0 on another window system. Asked each time: SDL may
// replace the X window when it first makes the window's surface.
unsigned long X11Window([[maybe_unused]] SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (X11Info(window, info))
        return info.info.x11.window;
#endif
    return 0;
}

// What the palette is told carries it: the X11 window id, or on another window system the SDL
// window id, each as the handle's value.
HWND Handle(SDL_Window* window)
{
    const unsigned long x11 = X11Window(window);
    const uintptr_t id = x11 ? x11 : SDL_GetWindowID(window);
    return reinterpret_cast<HWND>(id);
}

class SdlDocument {
public:
    SdlDocument(DocumentHost& document, const DocumentOptions& options)
        : doc_(document), options_(options), report_(options.printClient),
          floating_(static_cast<size_t>(document.PartCount()))
    {}

    bool Open()
    {
        document_.window =
            SDL_CreateWindow("ToolTray document", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             options_.width, options_.height, SDL_WINDOW_RESIZABLE);
        if (!document_.window)
            return false;
        document_.visible = true;
        for (int i = 0; i < doc_.PartCount(); ++i) {
            const std::string title = "ToolTray palette " + doc_.PartName(i);
            floating_[static_cast<size_t>(i)].window =
                SDL_CreateWindow(title.c_str(), 0, 0, 1, 1,
                                 SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_UTILITY);
            if (!floating_[static_cast<size_t>(i)].window)
                return false;
        }
        // SDL makes a tooltip window override-redirect on X11: no window manager frames,
        // places or focuses it.
        tooltip_.window =
            SDL_CreateWindow("ToolTray tooltip", 0, 0, 1, 1,
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP);
        if (!tooltip_.window)
            return false;
        raw_ = X11Window(document_.window) != 0;
        if (raw_)
            SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
        Apply(Place());
        return true;
    }

    int Run()
    {
        while (true) {
            // The loop wakes without an event only while a tooltip waits to be shown or a press
            // is held; idle, it sleeps in SDL_WaitEvent.
            std::optional<Uint32> wake = tipDeadline_;
            if (doc_.Holding() && raw_) {
                const Uint32 poll = SDL_GetTicks() + kHeldPollMs;
                if (!wake || static_cast<Sint32>(poll - *wake) < 0)
                    wake = poll;
            }
            SDL_Event event;
            int got = 0;
            if (wake) {
                const Sint32 left = static_cast<Sint32>(*wake - SDL_GetTicks());
                got = left > 0 ? SDL_WaitEventTimeout(&event, left) : 0;
            } else if (!SDL_WaitEvent(&event)) {
                std::fprintf(stderr, "tooltray-document: %s\n", SDL_GetError());
                return 1;
            } else {
                got = 1;
            }
            if (got) {
                if (const std::optional<int> status = Handle(event))
                    return *status;
                continue;
            }
            if (tipDeadline_ && static_cast<Sint32>(*tipDeadline_ - SDL_GetTicks()) <= 0)
                ShowTooltip();
            if (const std::optional<int> status = PollHeld())
                return *status;
        }
    }

private:
    // An exit status once the program is to end.
    std::optional<int> Handle(const SDL_Event& event)
    {
        switch (event.type) {
        case SDL_QUIT:
            return 0;
        case SDL_WINDOWEVENT:
            return OnWindowEvent(event.window);
        case SDL_SYSWMEVENT:
            return OnSystemEvent(*event.syswm.msg);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (raw_ || event.button.button != SDL_BUTTON_LEFT)
                break;
            if (const std::optional<Surface> surface = SurfaceOf(event.button.windowID)) {
                int x = 0, y = 0;
                SDL_GetGlobalMouseState(&x, &y);
                if (event.type == SDL_MOUSEBUTTONDOWN) {
                    HideTooltip(true);
                    return Apply(doc_.Press(*surface, x, y, event.button.timestamp));
                }
                return Apply(doc_.Release(*surface, x, y));
            }
            break;
        case SDL_MOUSEMOTION:
            // Also on X11, where SDL reads the motion from the input extension's events (see
            // PollHeld), but there only for hovering: a held press follows the server's pointer.
            if (const std::optional<Surface> surface = SurfaceOf(event.motion.windowID)) {
                int x = 0, y = 0;
                bool down = false;
                if (!raw_)
                    down = SDL_GetGlobalMouseState(&x, &y) & SDL_BUTTON_LMASK;
                else if (doc_.Holding() || (down = PointerHeld(x, y)))
                    break;
                return Motion(*surface, x, y, down);
            }
            break;
        case SDL_KEYDOWN:
            if (const std::optional<PaletteKey> key = PaletteKeyOf(event.key.keysym.sym)) {
                HideTooltip(true);
                return Apply(doc_.Key(*key));
            }
            break;
        default:
            break;
        }
        return std::nullopt;
    }

    std::optional<int> OnWindowEvent(const SDL_WindowEvent& event)
    {
        const bool document = event.windowID == SDL_GetWindowID(document_.window);
        switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            // The document's close button ends the program; a palette's is not offered.
            if (document)
                return 0;
            break;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (document)
                return Apply(Place());
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            Paint();
            break;
        case SDL_WINDOWEVENT_HIDDEN:
        case SDL_WINDOWEVENT_MINIMIZED:
            if (document)
                return Apply(doc_.Cancel());
            break;
        case SDL_WINDOWEVENT_LEAVE:
            if (!raw_ && SurfaceOf(event.windowID)) {
                HideTooltip(false);
                return Apply(
                    doc_.Leave(*SurfaceOf(event.windowID),
                               SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK));
            }
            break;
        default:
            break;
        }
        return std::nullopt;
    }

    std::optional<int> OnSystemEvent([[maybe_unused]] const SDL_SysWMmsg& message)
    {
#if defined(SDL_VIDEO_DRIVER_X11)
        if (message.subsystem != SDL_SYSWM_X11 || !raw_)
            return std::nullopt;
        const XEvent& e = message.msg.x11.event;
        if (e.type < ButtonPress || e.type > LeaveNotify)
            return std::nullopt;
        const std::optional<Surface> surface = SurfaceOfX11(e.xany.window);
        if (!surface)
            return std::nullopt;
        // Button 1 is the primary button after the server's button mapping, as SDL's left is.
        std::optional<int> status;
        switch (e.type) {
        case ButtonPress:
            if (e.xbutton.button != Button1)
                break;
            HideTooltip(true);
            heldSurface_ = *surface;
            polledX_ = e.xbutton.x_root;
            polledY_ = e.xbutton.y_root;
            status = Apply(doc_.Press(*surface, e.xbutton.x_root, e.xbutton.y_root,
                                      static_cast<uint32_t>(e.xbutton.time)));
            break;
        case ButtonRelease:
            if (e.xbutton.button != Button1)
                break;
            status = Apply(doc_.Release(*surface, e.xbutton.x_root, e.xbutton.y_root));
            break;
        case MotionNotify:
            status = Motion(*surface, e.xmotion.x_root, e.xmotion.y_root,
                            (e.xmotion.state & Button1Mask) != 0);
            break;
        case EnterNotify:
            status = Motion(*surface, e.xcrossing.x_root, e.xcrossing.y_root,
                            (e.xcrossing.state & Button1Mask) != 0);
            break;
        case LeaveNotify:
            HideTooltip(false);
            status = Apply(doc_.Leave(*surface, (e.xcrossing.state & Button1Mask) != 0));
            break;
        default:
            break;
        }
        return status;
#else
        return std::nullopt;
#endif
    }

    std::optional<Surface> SurfaceOf(Uint32 windowId) const
    {
        if (windowId == SDL_GetWindowID(document_.window))
            return Surface::Document;
        for (const Canvas& f : floating_)
            if (windowId == SDL_GetWindowID(f.window))
                return Surface::Floating;
        return std::nullopt;
    }

    std::optional<Surface> SurfaceOfX11(unsigned long window) const
    {
        if (window == X11Window(document_.window))
            return Surface::Document;
        for (const Canvas& f : floating_)
            if (window == X11Window(f.window))
                return Surface::Floating;
        return std::nullopt;
    }

    // Under Xvfb the server sends an SDL window no core motion events (SDL has selected the
    // input extension's instead), and while a press is held on a floating window it sends that
    // window no motion of either kind: only crossing events, and the release. So while a press
    // is held the pointer is asked for, and each new place is a move with the button down. The
    // release still comes as an event, with its own place; a button seen up waits a few looks for it.
    std::optional<int> PollHeld()
    {
        if (!doc_.Holding() || !raw_)
            return std::nullopt;
        int x = 0, y = 0;
        if (!PointerHeld(x, y)) {
            // Up, and its release not come after a few more looks: it went where no release
            // reaches this program, and the press ends as cancelled, as a release outside would.
            if (++upPolls_ < kLostReleasePolls)
                return std::nullopt;
            upPolls_ = 0;
            return Apply(doc_.Move(heldSurface_, x, y, false));
        }
        upPolls_ = 0;
        if (x == polledX_ && y == polledY_)
            return std::nullopt;
        polledX_ = x;
        polledY_ = y;
        return Apply(doc_.Move(heldSurface_, x, y, true));
    }

    // The pointer's place on the screen and whether the primary button is down, from the X
    // server itself: SDL's answer is what it cached from the last input event it saw.
    bool PointerHeld(int& x, int& y) const
    {
#if defined(SDL_VIDEO_DRIVER_X11)
        SDL_SysWMinfo info;
        if (!X11Info(document_.window, info))
            return false;
        Display* display = info.info.x11.display;
        ::Window root = 0, child = 0;
        int windowX = 0, windowY = 0;
        unsigned mask = 0;
        if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX,
                           &windowY, &mask))
            return false;
        return (mask & Button1Mask) != 0;
#else
        x = y = 0;
        return false;
#endif
    }

    std::optional<int> Motion(Surface surface, int x, int y, bool buttonDown)
    {
        const std::optional<int> status = Apply(doc_.Move(surface, x, y, buttonDown));
        if (!buttonDown)
            Hover(surface, x, y);
        return status;
    }

    // ---- tooltip ------------------------------------------------------------------------------

    // The pointer rests at (x, y) for now: a tooltip for the tool under it once it has stayed
    // there long enough, and none over anything else.
    void Hover(Surface surface, int x, int y)
    {
        pointerX_ = x;
        pointerY_ = y;
        const std::optional<Tooltip> tip = doc_.TooltipAt(surface, x, y);
        if (tooltip_.visible && (!tip || tip->tool != tipTool_))
            HideTooltip(false);
        if (!tip) {
            tipDeadline_.reset();
            clickedTool_.reset();
            return;
        }
        // A tool clicked shows no tooltip until the pointer has been elsewhere.
        if (clickedTool_ && *clickedTool_ == tip->tool)
            return;
        clickedTool_.reset();
        if (tooltip_.visible)
            return;
        tipText_ = tip->text;
        tipTool_ = tip->tool;
        tipDeadline_ = SDL_GetTicks() + kTooltipDelayMs; // each motion starts the wait again
    }

    void ShowTooltip()
    {
        tipDeadline_.reset();
        const PixelSize size = TooltipSize(tipText_);
        const PixelRect at =
            PlaceBesidePointer(pointerX_, pointerY_, size.width, size.height, Screen());
        SDL_SetWindowSize(tooltip_.window, at.width, at.height);
        SDL_SetWindowPosition(tooltip_.window, at.x, at.y);
        if (!tooltip_.Size(at.width, at.height))
            return;
        PaintTooltip(tooltip_.Dc(), tipText_);
        const unsigned long focus = KeyboardFocus();
        SDL_ShowWindow(tooltip_.window);
        SetKeyboardFocus(focus); // a tooltip never takes the keys
        tooltip_.visible = true;
        tooltip_.Show();
    }

    // pressed: a button or key went down, so the tool under the pointer shows no tooltip until
    // the pointer has left it.
    void HideTooltip(bool pressed)
    {
        if (pressed && (tooltip_.visible || tipDeadline_))
            clickedTool_ = tipTool_;
        tipDeadline_.reset();
        if (!tooltip_.visible)
            return;
        SDL_HideWindow(tooltip_.window);
        tooltip_.visible = false;
    }

    // Without a window manager SDL gives every window it shows the keyboard focus, and when that
    // window goes the focus goes to no window at all. These keep it with the document's windows.
    unsigned long KeyboardFocus() const
    {
#if defined(SDL_VIDEO_DRIVER_X11)
        SDL_SysWMinfo info;
        if (X11Info(document_.window, info)) {
            ::Window focus = 0;
            int revert = 0;
            XGetInputFocus(info.info.x11.display, &focus, &revert);
            return focus;
        }
#endif
        return 0;
    }
    void SetKeyboardFocus([[maybe_unused]] unsigned long window) const
    {
#if defined(SDL_VIDEO_DRIVER_X11)
        SDL_SysWMinfo info;
        // Only to a window of ours that is shown: another client's may be gone by now, and
        // focusing a window not shown is an X error that ends the program.
        bool ours = window == X11Window(document_.window);
        for (const Canvas& f : floating_)
            ours = ours || (f.visible && window == X11Window(f.window));
        if (ours && X11Info(document_.window, info) &&
            KeyboardFocus() != static_cast<::Window>(window))
            XSetInputFocus(info.info.x11.display, window, RevertToParent, CurrentTime);
#endif
    }

    // ---- placing and drawing -----------------------------------------------------------------

    PixelRect Screen() const
    {
        SDL_Rect bounds{0, 0, 0, 0};
        const int display = SDL_GetWindowDisplayIndex(document_.window);
        SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
        return PixelRect{bounds.x, bounds.y, bounds.w, bounds.h};
    }

    DocumentEffect Place()
    {
        int x = 0, y = 0, width = 0, height = 0;
        SDL_GetWindowPosition(document_.window, &x, &y);
        SDL_GetWindowSize(document_.window, &width, &height);
        return doc_.Place(Screen(), PixelRect{x, y, width, height});
    }

    // Shows what an effect changed; an exit status when it closes the document.
    std::optional<int> Apply(const DocumentEffect& effect)
    {
        if (effect.placement)
            PlaceWindows();
        if (effect.repaint || effect.placement)
            Paint();
        PrintEffect(effect);
        if (effect.close)
            return 0;
        return std::nullopt;
    }

    // Every floating window where its palette's floating rectangle says, shown only while its
    // part is active and its palette floats.
    void PlaceWindows()
    {
        for (int i = 0; i < doc_.PartCount(); ++i) {
            Canvas& f = floating_[static_cast<size_t>(i)];
            const PaletteGeometry g = doc_.Geometry(i);
            if (!g.shown || !g.placement.floating) {
                if (f.visible) {
                    const bool hadFocus = KeyboardFocus() == X11Window(f.window);
                    SDL_HideWindow(f.window);
                    if (hadFocus) // the keys go back to the document, not to no window at all
                        SetKeyboardFocus(X11Window(document_.window));
                }
                f.visible = false;
                continue;
            }
            SDL_SetWindowSize(f.window, g.carrier.width, g.carrier.height);
            SDL_SetWindowPosition(f.window, g.carrier.x, g.carrier.y);
            f.Size(g.carrier.width, g.carrier.height);
            if (!f.visible) {
                SDL_ShowWindow(f.window);
                f.visible = true;
                // Told again once shown: the palette names the window that carries it now.
                doc_.SetFloatingWindow(i, ::Handle(f.window));
            }
        }
    }

    // The windows each palette is told about, once SDL has the X windows it will keep.
    void Bind()
    {
        doc_.SetDocumentWindow(::Handle(document_.window));
        for (int i = 0; i < doc_.PartCount(); ++i) {
            SDL_Window* window = floating_[static_cast<size_t>(i)].window;
            doc_.SetFloatingWindow(i, ::Handle(window));
#if defined(SDL_VIDEO_DRIVER_X11)
            SDL_SysWMinfo info, owner;
            if (X11Info(window, info) && X11Info(document_.window, owner))
                XSetTransientForHint(info.info.x11.display, info.info.x11.window,
                                     owner.info.x11.window);
#endif
        }
    }

    void Paint()
    {
        const PixelRect client = doc_.Client();
        if (document_.Size(client.width, client.height)) {
            PaintDocument(document_.Dc(), doc_);
            document_.Show();
            report_.Drawn(client.x, client.y, client.width, client.height);
        }
        for (int i = 0; i < doc_.PartCount(); ++i) {
            Canvas& f = floating_[static_cast<size_t>(i)];
            if (!f.visible)
                continue;
            PaintFloating(f.Dc(), doc_, i);
            f.Show();
        }
        if (tooltip_.visible)
            tooltip_.Show();
        if (!bound_) {
            // After the first surfaces: the X windows are final from here on.
            Bind();
            bound_ = true;
        }
    }

    DocumentHost& doc_;
    const DocumentOptions& options_;
    ClientReport report_;
    Canvas document_;
    std::vector<Canvas> floating_;
    Canvas tooltip_;
    bool raw_ = false; // pointer events from the X server's events, not SDL's
    bool bound_ = false;
    Surface heldSurface_ = Surface::Document; // where the held press went down
    int polledX_ = 0, polledY_ = 0;           // the pointer when last asked for
    int upPolls_ = 0;                         // looks that found the button up, in a row
    int pointerX_ = 0, pointerY_ = 0;
    std::optional<Uint32> tipDeadline_;
    std::string tipText_;
    PixelRect tipTool_;
    std::optional<PixelRect> clickedTool_;
};

} // namespace

int RunDocumentWindow(DocumentHost& document, const DocumentOptions& options)
{
    // As for the palette's window: SDL's own framebuffer shows the bitmap, and the program
    // follows the X server's pointer events rather than SDL's capture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    IgnoreLateWakeups(); // first: SDL puts back at its end the handler it found at its start
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "tooltray-document: cannot open a window: %s\n", SDL_GetError());
        return 1;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (!wanted || SDL_strcasecmp(wanted, driver) != 0) &&
        (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
        std::fprintf(stderr, "tooltray-document: no display to open a window on (set DISPLAY)\n");
        SDL_Quit();
        return 1;
    }
    int status = 1;
    {
        SdlDocument window(document, options);
        if (window.Open())
            status = window.Run();
        else
            std::fprintf(stderr, "tooltray-document: cannot open a window: %s\n", SDL_GetError());
    }
    SDL_Quit();
    return status;
}
