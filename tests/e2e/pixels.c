/* Screenshots and pixel counts for the end-to-end tests, in one quick call
 * each instead of an ImageMagick -fx pass of a second or two.
 *   pixels grab FILE         saves the root window of $DISPLAY as a binary PPM
 *   pixels count FILE EXPR   prints how many pixels of that PPM fit EXPR
 * EXPR is a condition on the channels r, g and b, each from 0 to 1 as in
 * ImageMagick's -fx: sums of numbers and channels, compared (== != < > <=
 * >=) and joined by && and ||, such as 'r!=b', 'g>r||g>b' or 'r+g+b>0'. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { maxside = 4096, channels = 3, maxvalue = 255 };

static unsigned char image[maxside * maxside * channels];
static int width, height;

static void die(const char *format, const char *what)
{
    fprintf(stderr, "pixels: ");
    fprintf(stderr, format, what);
    fputc('\n', stderr);
    exit(2);
}

/* The bits of a pixel value under mask, scaled to 0 ... maxvalue. */
static unsigned char channel(unsigned long pixel, unsigned long mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!(mask >> shift & 1))
        shift++;
    unsigned long top = mask >> shift;
    return (unsigned char)(((pixel & mask) >> shift) * maxvalue / top);
}

static void grab(const char *path)
{
    Display *display = XOpenDisplay(NULL);
    if (!display)
        die("cannot open display %s", XDisplayName(NULL));
    Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    width = attributes.width;
    height = attributes.height;
    if (width > maxside || height > maxside)
        die("the screen of %s is too large", XDisplayName(NULL));
    XImage *shot = XGetImage(display, root, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!shot)
        die("cannot read the screen of %s", XDisplayName(NULL));
    Visual *visual = attributes.visual;
    unsigned char *p = image;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            unsigned long pixel = XGetPixel(shot, x, y);
            *p++ = channel(pixel, visual->red_mask);
            *p++ = channel(pixel, visual->green_mask);
            *p++ = channel(pixel, visual->blue_mask);
        }
    XDestroyImage(shot);
    XCloseDisplay(display);

    FILE *f = fopen(path, "wb");
    if (!f)
        die("cannot write %s", path);
    fprintf(f, "P6\n%d %d\n%d\n", width, height, maxvalue);
    fwrite(image, 1, (size_t)width * height * channels, f);
    if (fclose(f) != 0)
        die("cannot write %s", path);
}

static void load(const char *path)
{
    FILE *f = fopen(path, "rb");
    int depth;
    if (!f)
        die("cannot read %s", path);
    if (fscanf(f, "P6 %d %d %d", &width, &height, &depth) != 3 || depth != maxvalue ||
        width <= 0 || height <= 0 || width > maxside || height > maxside || fgetc(f) == EOF)
        die("%s is not an 8-bit binary PPM", path);
    size_t size = (size_t)width * height * channels;
    if (fread(image, 1, size, f) != size)
        die("%s is cut short", path);
    fclose(f);
}

/* A condition evaluated straight from its text, one pixel at a time: each
 * level of the grammar reads its part at *s and returns its value.
 *   either: both || both ...      both: comparison && comparison ...
 *   comparison: sum [op sum]      sum: operand + operand - operand ...
 *   operand: a number, r, g or b */
static const char *text;  /* the whole condition, for error messages */
static double r, g, b;

static int take(const char **s, const char *token)
{
    while (isspace((unsigned char)**s))
        (*s)++;
    size_t n = strlen(token);
    if (strncmp(*s, token, n) != 0)
        return 0;
    *s += n;
    return 1;
}

static double operand(const char **s)
{
    char *end;
    take(s, "");  /* skips spaces */
    double value = strtod(*s, &end);
    if (end != *s) {
        *s = end;
        return value;
    }
    if (take(s, "r"))
        return r;
    if (take(s, "g"))
        return g;
    if (take(s, "b"))
        return b;
    die("cannot read the condition '%s'", text);
    return 0;
}

static double sum(const char **s)
{
    double value = operand(s);
    for (;;) {
        if (take(s, "+"))
            value += operand(s);
        else if (take(s, "-"))
            value -= operand(s);
        else
            return value;
    }
}

static double comparison(const char **s)
{
    double left = sum(s);
    if (take(s, "=="))
        return left == sum(s);
    if (take(s, "!="))
        return left != sum(s);
    if (take(s, "<="))
        return left <= sum(s);
    if (take(s, ">="))
        return left >= sum(s);
    if (take(s, "<"))
        return left < sum(s);
    if (take(s, ">"))
        return left > sum(s);
    return left;
}

/* Both sides are always read, so a bad right side never hides. */
static double both(const char **s)
{
    double value = comparison(s);
    while (take(s, "&&"))
        value = comparison(s) && value;
    return value;
}

static double either(const char **s)
{
    double value = both(s);
    while (take(s, "||"))
        value = both(s) || value;
    return value;
}

static long count(const char *condition)
{
    text = condition;
    long n = 0;
    const unsigned char *p = image;
    for (long i = 0; i < (long)width * height; i++, p += channels) {
        r = p[0] / (double)maxvalue;
        g = p[1] / (double)maxvalue;
        b = p[2] / (double)maxvalue;
        const char *s = condition;
        if (either(&s) != 0)
            n++;
        take(&s, "");
        if (*s)
            die("cannot read the condition '%s'", text);
    }
    return n;
}

int main(int argc, char **argv)
{
    if (argc == 3 && strcmp(argv[1], "grab") == 0) {
        grab(argv[2]);
    } else if (argc == 4 && strcmp(argv[1], "count") == 0) {
        load(argv[2]);
        printf("%ld\n", count(argv[3]));
    } else {
        fprintf(stderr, "usage: pixels grab FILE | pixels count FILE EXPR\n");
        return 2;
    }
    return 0;
}
