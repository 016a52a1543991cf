/* SPDX-License-Identifier: MIT */
/* Prints how many pixels of the pointer's current picture, as the X server
 * shows it (XFixes), are not fully transparent: 0 when no pointer shows. */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void)
{
    Display *display = XOpenDisplay(NULL);
    XFixesCursorImage *image = display ? XFixesGetCursorImage(display) : NULL;
    if (!image) {
        fprintf(stderr, "pointer: no pointer picture from display %s (no server, or no XFixes)\n",
                XDisplayName(NULL));
        return 1;
    }
    long shown = 0;
    for (long i = 0; i < (long)image->width * image->height; i++)
        if (image->pixels[i] >> 24)  /* alpha */
            shown++;
    printf("%ld\n", shown);
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
