// SPDX-License-Identifier: MIT
// SDL's event queue for the browser: the page's pointer (mouse, touch or
// pen) pressed or moved over the canvas and its keys pressed, held as SDL
// events until a frame polls them. Positions are in the canvas's own
// pixels, however the page scales it.
#include "sdlevents.h"

#include <emscripten.h>

#include "SDL.h"

// Events held between two polls. A frame polls them all, so this is
// plenty; moves in a row are merged into one, and events beyond it are
// dropped.
static const int queuesize = 64;
static SDL_Event queue[queuesize];
static int first, count;
static bool listening;

static void push(const SDL_Event &event)
{
    if (!listening)
        return;
    SDL_Event &last = queue[(first + count - 1 + queuesize) % queuesize];
    if (event.type == SDL_MOUSEMOTION && count > 0 && last.type == SDL_MOUSEMOTION) {
        last = event;
        return;
    }
    if (count == queuesize)
        return;
    queue[(first + count) % queuesize] = event;
    count++;
}

// Called by the page's listeners below.
extern "C" {

EMSCRIPTEN_KEEPALIVE void sdlpointermoved(int x, int y)
{
    SDL_Event event = {};
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    push(event);
}

// button: the DOM's number (0 the main button, 1 the middle, 2 the other).
EMSCRIPTEN_KEEPALIVE void sdlpointerpressed(int button, int x, int y)
{
    SDL_Event event = {};
    event.button.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = button + SDL_BUTTON_LEFT;
    event.button.state = SDL_PRESSED;
    event.button.x = x;
    event.button.y = y;
    push(event);
}

EMSCRIPTEN_KEEPALIVE void sdlkeypressed(int sym)
{
    SDL_Event event = {};
    event.key.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = sym;
    push(event);
}

}  // extern "C"

// The page's listeners, added once. Key codes of the DOM are SDL's key
// symbols (Escape 27 and so on) but for letters, which the DOM gives as
// upper-case ASCII and SDL as lower-case.
EM_JS(void, listentopage, (), {
    var canvas = Module['canvas'];
    function at(event, then) {
        var box = canvas.getBoundingClientRect();
        then((event.clientX - box.left) * canvas.width / box.width | 0,
             (event.clientY - box.top) * canvas.height / box.height | 0);
    }
    canvas.addEventListener('pointermove', function (event) {
        at(event, _sdlpointermoved);
    });
    canvas.addEventListener('pointerdown', function (event) {
        at(event, function (x, y) { _sdlpointerpressed(event.button, x, y); });
    });
    document.addEventListener('keydown', function (event) {
        var code = event.keyCode, upper = code >= 65 && code <= 90;  // 'A' ... 'Z'
        _sdlkeypressed(upper ? code - 65 + 97 : code);  // to 'a' ... 'z'
    });
});

void startevents()
{
    static bool added;
    if (!added)
        listentopage();
    added = true;
    listening = true;
}

void stopevents()
{
    listening = false;
    count = 0;
}

extern "C" {

int SDL_PollEvent(SDL_Event *event)
{
    if (count == 0)
        return 0;
    if (event) {
        *event = queue[first];
        first = (first + 1) % queuesize;
        count--;
    }
    return 1;
}

// A page cannot wait: events come only once the running code returns to
// the browser. So there is never an event to wait for.
int SDL_WaitEvent(SDL_Event *event)
{
    return SDL_PollEvent(event);
}

}  // extern "C"
