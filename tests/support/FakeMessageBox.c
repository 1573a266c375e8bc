/* Stands in for Allegro's native message box in tests: the box would block
 * under a virtual display until someone dismisses it. It writes what the box
 * would show to standard error and returns as if dismissed: first the window
 * it stands over, by its size ("parent=956x538", or "parent=none"), then the
 * box itself in one line. Linked into the test programs, and preloaded into
 * the real game by the end-to-end tests. */
#include <allegro5/allegro.h>
#include <allegro5/allegro_native_dialog.h>

#include <stdio.h>

int al_show_native_message_box(ALLEGRO_DISPLAY *display, char const *title, char const *heading,
                               char const *text, char const *buttons, int flags)
{
    (void)buttons;
    if (display == NULL)
        fprintf(stderr, "[message box] parent=none\n");
    else
        fprintf(stderr, "[message box] parent=%dx%d\n", al_get_display_width(display),
                al_get_display_height(display));
    fprintf(stderr, "[message box] title=%s heading=%s flags=%d text=%s\n", title, heading, flags, text);
    fflush(stderr);
    return 1;
}
