/* Prints how many pixels of the pointer's current picture, as the X server
 * shows it (XFixes), are not fully transparent: 0 when no pointer shows. */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void)
{
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "pointer: cannot open display\n");
        return 1;
    }
    XFixesCursorImage *image = XFixesGetCursorImage(display);
    if (!image) {
        fprintf(stderr, "pointer: the X server gives no pointer picture (no XFixes?)\n");
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
