// The Linux window of the live palette, through SDL2. The palette draws through the portable GDI
// layer into a DIB section; an SDL surface wraps the section's pixels where they are, and only
// the changed rectangles are copied to the window.
//
// On X11 the pointer's buttons and motion are read from the X server's own events, not from SDL's:
// SDL keeps its own idea of which buttons are down and drops a press that arrives while it
// believes the button is still down, which it does whenever it missed a release (one outside the
// window while another window holds the keyboard focus is enough). The palette's input rules need
// every press and the state the server reports with each event; elsewhere they get SDL's.
#include "host/dib_section_dc.h"
#include "host/key_map_sdl.h"
#include "host/sdl_late_wakeups.h"
#include "host/palette_view.h"
#include "host/palette_window.h"

#include <SDL.h>
#include <SDL_syswm.h> // last: on X11 it brings Xlib's macros (None, Bool, Status...)

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

class SdlPaletteWindow {
public:
    SdlPaletteWindow(HostPalette& host, PaletteInput& input, bool printClient)
        : host_(host), input_(input), report_(printClient)
    {}
    ~SdlPaletteWindow()
    {
        if (pixels_)
            SDL_FreeSurface(pixels_);
        if (window_)
            SDL_DestroyWindow(window_);
    }

    bool Open(int width, int height)
    {
        window_ = SDL_CreateWindow("ToolTray palette", SDL_WINDOWPOS_UNDEFINED,
                                   SDL_WINDOWPOS_UNDEFINED, width, height, SDL_WINDOW_RESIZABLE);
        if (!window_)
            return false;
        rawPointer_ = X11Window() != 0;
        if (rawPointer_)
            SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
        return Redraw(width, height);
    }

    int Run()
    {
        SDL_Event event;
        while (SDL_WaitEvent(&event)) {
            switch (event.type) {
            case SDL_QUIT:
                return 0;
            case SDL_WINDOWEVENT:
                if (!OnWindowEvent(event.window))
                    return 1;
                break;
            case SDL_SYSWMEVENT:
                OnSystemEvent(*event.syswm.msg);
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (!RawPointer() && event.button.button == SDL_BUTTON_LEFT)
                    Pointer(input_.Press(event.button.x, event.button.y));
                break;
            case SDL_MOUSEMOTION:
                if (!RawPointer())
                    Pointer(input_.Move(event.motion.x, event.motion.y,
                                        (event.motion.state & SDL_BUTTON_LMASK) != 0));
                break;
            case SDL_MOUSEBUTTONUP:
                if (!RawPointer() && event.button.button == SDL_BUTTON_LEFT)
                    Pointer(input_.Release(event.button.x, event.button.y));
                break;
            case SDL_KEYDOWN:
                if (const std::optional<PaletteKey> key = PaletteKeyOf(event.key.keysym.sym)) {
                    const InputEffect effect = input_.Key(*key);
                    Apply(effect);
                    if (effect.close)
                        return 0;
                }
                break;
            default:
                break;
            }
        }
        std::fprintf(stderr, "tooltray-palette: %s\n", SDL_GetError());
        return 1;
    }

private:
    // False when the window can no longer be drawn.
    bool OnWindowEvent(const SDL_WindowEvent& event)
    {
        switch (event.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            host_.Resize(event.data1, event.data2);
            return Redraw(event.data1, event.data2);
        case SDL_WINDOWEVENT_EXPOSED:
            Show(nullptr);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_HIDDEN:
        case SDL_WINDOWEVENT_MINIMIZED:
            Pointer(input_.Cancel());
            break;
        case SDL_WINDOWEVENT_LEAVE:
            if (!RawPointer()) // the X server's own leave event says more
                Pointer(input_.Leave(
                    (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0));
            break;
        default:
            break;
        }
        return true;
    }

    bool RawPointer() const { return rawPointer_; }

    // The X window now behind the SDL window, 0 on another window system. Asked each time: SDL
    // replaces the X window when it first makes the window's surface.
    unsigned long X11Window() const
    {
#if defined(SDL_VIDEO_DRIVER_X11)
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11)
            return info.info.x11.window;
#endif
        return 0;
    }

    void OnSystemEvent([[maybe_unused]] const SDL_SysWMmsg& message)
    {
#if defined(SDL_VIDEO_DRIVER_X11)
        if (message.subsystem != SDL_SYSWM_X11 || !RawPointer())
            return;
        const XEvent& e = message.msg.x11.event;
        if (e.type < ButtonPress || e.type > LeaveNotify || e.xany.window != X11Window())
            return;
        // Button 1 is the primary button after the server's button mapping, as SDL's left is.
        switch (e.type) {
        case ButtonPress:
            if (e.xbutton.button == Button1)
                Pointer(input_.Press(e.xbutton.x, e.xbutton.y));
            break;
        case ButtonRelease:
            if (e.xbutton.button == Button1)
                Pointer(input_.Release(e.xbutton.x, e.xbutton.y));
            break;
        case MotionNotify:
            Pointer(input_.Move(e.xmotion.x, e.xmotion.y, (e.xmotion.state & Button1Mask) != 0));
            break;
        case EnterNotify:
            Pointer(
                input_.Move(e.xcrossing.x, e.xcrossing.y, (e.xcrossing.state & Button1Mask) != 0));
            break;
        case LeaveNotify:
            Pointer(input_.Leave((e.xcrossing.state & Button1Mask) != 0));
            break;
        default:
            break;
        }
#endif
    }

    // Applies a pointer event's effect and captures the pointer exactly while a press is held.
    // SDL captures only the window holding the keyboard focus, and a palette seldom does, so the
    // rules above never count on the capture.
    void Pointer(const InputEffect& effect)
    {
        Apply(effect);
        if (input_.Holding() != captured_)
            captured_ =
                SDL_CaptureMouse(input_.Holding() ? SDL_TRUE : SDL_FALSE) == 0 && input_.Holding();
    }

    // A new section of the client's size, drawn whole and shown whole.
    bool Redraw(int width, int height)
    {
        if (pixels_)
            SDL_FreeSurface(pixels_);
        pixels_ = nullptr;
        canvas_ = std::make_unique<DibSectionDc>(width, height);
        if (!canvas_->Ok())
            return false;
        // Rows of 0x00RRGGBB words, top down: SDL's XRGB8888, used in place.
        pixels_ = SDL_CreateRGBSurfaceWithFormatFrom(canvas_->Bits(), width, height, 32, width * 4,
                                                     SDL_PIXELFORMAT_RGB888);
        width_ = width;
        height_ = height;
        Paint();
        Show(nullptr);
        return pixels_ != nullptr;
    }

    void Paint()
    {
        RECT all;
        SetRect(&all, 0, 0, width_, height_);
        PaintPalette(canvas_->Dc(), all, host_, input_.Hot());
        GdiFlush();
    }

    // Copies the given rectangles (all of the client when null) to the window.
    void Show(const std::vector<RECT>* dirty)
    {
        SDL_Surface* screen = SDL_GetWindowSurface(window_);
        if (!screen || !pixels_)
            return;
        std::vector<SDL_Rect> rects;
        if (dirty) {
            for (const RECT& r : *dirty)
                rects.push_back(SDL_Rect{static_cast<int>(r.left), static_cast<int>(r.top),
                                         static_cast<int>(r.right - r.left),
                                         static_cast<int>(r.bottom - r.top)});
        } else {
            rects.push_back(SDL_Rect{0, 0, width_, height_});
        }
        for (SDL_Rect& r : rects)
            SDL_BlitSurface(pixels_, &r, screen, &r);
        SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size()));
        int x = 0, y = 0;
        SDL_GetWindowPosition(window_, &x, &y);
        report_.Drawn(x, y, width_, height_);
    }

    void Apply(const InputEffect& effect)
    {
        PrintLines(effect);
        if (effect.dirty.empty())
            return;
        Paint(); // the class draws every tool on every call
        Show(&effect.dirty);
    }

    HostPalette& host_;
    PaletteInput& input_;
    SDL_Window* window_ = nullptr;
    std::unique_ptr<DibSectionDc> canvas_;
    SDL_Surface* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    ClientReport report_;
    bool rawPointer_ = false; // pointer events from the X server's events, not SDL's
    bool captured_ = false;
};

} // namespace

int RunPaletteWindow(HostPalette& host, PaletteInput& input, int width, int height,
                     bool printClient)
{
    // The window shows a bitmap: SDL's own framebuffer copies it, where the accelerated one would
    // load an OpenGL stack (Mesa, LLVM: 90 MB and a slow start) for a renderer behind the surface.
    // The environment's SDL_FRAMEBUFFER_ACCELERATION still wins.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The palette captures the pointer itself, following its own reconciled press; SDL's
    // capture follows SDL's idea of the buttons, which may be stale (a lost release would keep
    // the whole display's pointer grabbed).
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    IgnoreLateWakeups(); // before SDL_Init, which keeps the handler it finds
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "tooltray-palette: cannot open a window: %s\n", SDL_GetError());
        return 1;
    }
    // With no display SDL falls back to its offscreen driver, whose window nobody could see or
    // close: refuse it unless it was asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (!wanted || SDL_strcasecmp(wanted, driver) != 0) &&
        (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
        std::fprintf(stderr,
                     "tooltray-palette: no display to open a window on (set DISPLAY, or draw "
                     "into a file with --render PATH)\n");
        SDL_Quit();
        return 1;
    }
    int status = 1;
    {
        SdlPaletteWindow window(host, input, printClient);
        if (window.Open(width, height))
            status = window.Run();
        else
            std::fprintf(stderr, "tooltray-palette: cannot open a window: %s\n", SDL_GetError());
    }
    SDL_Quit();
    return status;
}
