/* Pixel counts for the end-to-end tests, in one quick call instead of an
 * ImageMagick -fx pass of a second or two.
 *   pixels FILE EXPR   prints how many pixels of a binary PPM fit EXPR
 * EXPR is a condition on the channels r, g and b, each from 0 to 1 as in
 * ImageMagick's -fx: comparisons (== != < > <= >=) of channels and numbers,
 * joined by || or by &&, such as 'r!=b', 'g>r||g>b' or 'r>0&&g>r'. */
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

/* A condition: comparisons of two operands, each a channel (r, g or b,
 * from 0 to 1) or a number, joined by || (some holds) or by && (all hold),
 * such as 'r!=b', 'b>0' or 'g>r||g>b'. It is read from its text for each
 * pixel, so a fault anywhere in it shows at the first pixel. */
static const char *const comparisons[] = {"==", "!=", "<=", ">=", "<", ">"};
enum { equal, unequal, atmost, atleast, less, greater, comparisoncount };

static const char channelnames[] = "rgb";

static double operand(const char **s, const double channel[], const char *condition)
{
    const char *at = **s ? strchr(channelnames, **s) : NULL;
    if (at) {
        (*s)++;
        return channel[at - channelnames];
    }
    char *end;
    double value = strtod(*s, &end);
    if (end == *s)
        die("cannot read the condition '%s'", condition);
    *s = end;
    return value;
}

/* Compares a with b by the operator of length n at op. */
static int compare(const char *op, size_t n, double a, double b, const char *condition)
{
    int k = 0;
    while (k < comparisoncount && !(strlen(comparisons[k]) == n && strncmp(op, comparisons[k], n) == 0))
        k++;
    if (k == comparisoncount)
        die("no comparison where one belongs in the condition '%s'", condition);
    switch (k) {
    case equal: return a == b;
    case unequal: return a != b;
    case atmost: return a <= b;
    case atleast: return a >= b;
    case less: return a < b;
    default: return a > b;
    }
}

static int fits(const char *condition, const double channel[])
{
    int anyholds = strstr(condition, "&&") == NULL;
    int result = !anyholds;
    const char *s = condition;
    for (;;) {
        double left = operand(&s, channel, condition);
        const char *op = s;
        size_t oplength = strspn(s, "=!<>");
        s += oplength;
        double right = operand(&s, channel, condition);
        int holds = compare(op, oplength, left, right, condition);
        result = anyholds ? result || holds : result && holds;
        if (*s == '\0')
            return result;
        if (strncmp(s, anyholds ? "||" : "&&", 2) != 0)
            die("cannot read the condition '%s' (|| and && do not mix)", condition);
        s += 2;
    }
}

/* Neighbours often share a colour (the black background, flat blocks), so a
 * pixel like the one before takes its verdict. */
static long count(const char *condition)
{
    long n = 0;
    int holds = 0;
    const unsigned char *p = image;
    for (long i = 0; i < (long)width * height; i++, p += channels) {
        if (i == 0 || memcmp(p, p - channels, channels) != 0) {
            double channel[channels];
            for (int c = 0; c < channels; c++)
                channel[c] = p[c] / (double)maxvalue;
            holds = fits(condition, channel);
        }
        n += holds;
    }
    return n;
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: pixels FILE EXPR\n");
        return 2;
    }
    load(argv[1]);
    printf("%ld\n", count(argv[2]));
    return 0;
}
