#include "view/x11_window.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

namespace {

Display* x11_display(SDL_Window* window, Window* xwindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    if (xwindow != nullptr) *xwindow = info.info.x11.window;
    return info.info.x11.display;
}

int report_lost_display(Display*) {
    static const char message[] = "quilmorant: lost the connection to the display\n";
    ssize_t ignored = write(STDERR_FILENO, message, sizeof message - 1);
    (void)ignored;
    _exit(1);
}

}  // namespace

void ask_for_fixed_frame(SDL_Window* window) {
    Window xwindow = 0;
    Display* display = x11_display(window, &xwindow);
    if (display == nullptr) return;
    // The Motif hints: flags, functions, decorations, input mode, status.
    constexpr long functions_and_decorations = 1 | 2;
    constexpr long function_move = 4;
    constexpr long decoration_border = 2, decoration_title = 8;
    const long hints[5] = {functions_and_decorations, function_move, decoration_border | decoration_title, 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, xwindow, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);

    // SDL states a position of its own choosing; leave the first one to the
    // window manager instead.
    XSizeHints* size_hints = XAllocSizeHints();
    long supplied = 0;
    if (size_hints != nullptr && XGetWMNormalHints(display, xwindow, size_hints, &supplied) != 0) {
        size_hints->flags &= ~(USPosition | PPosition);
        XSetWMNormalHints(display, xwindow, size_hints);
    }
    XFree(size_hints);
    XFlush(display);
}

void end_on_lost_display(SDL_Window* window) {
    if (x11_display(window, nullptr) != nullptr) XSetIOErrorHandler(report_lost_display);
}
