/* Asks a window to close the way a window manager's close button does: a
 * WM_DELETE_WINDOW message of the WM_PROTOCOLS kind, not a kill.
 *   wm-close WINDOW_ID */
#include <X11/Xlib.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: wm-close WINDOW_ID\n");
        return 2;
    }
    Display *x = XOpenDisplay(NULL);
    if (x == NULL) {
        fprintf(stderr, "wm-close: no display\n");
        return 2;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(x, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window, False, NoEventMask, &event);
    XSync(x, False);
    XCloseDisplay(x);
    return 0;
}
