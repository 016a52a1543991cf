// SPDX-License-Identifier: MIT
// The page's WebGL context lost and given back. A phone takes a page's GPU
// context away when memory runs short or the page goes to the background,
// and gives it back only to a page that said it wants it back. Everything
// made in the lost context (shader program, buffer) and all its state are
// gone then; the GL layer makes them again and sets the state once more.
#include "contextloss.h"

#include <emscripten.h>

#include "gllayer.h"
#include "glstate.h"

static EMSCRIPTEN_WEBGL_CONTEXT_HANDLE watched;
static bool lost;

// Cancelling the loss event is how a page asks for its context back.
EM_JS(void, keeprestorable, (), {
    Module['canvas'].addEventListener('webglcontextlost', function (event) { event.preventDefault(); });
});

void watchcontext(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context)
{
    if (!watched)
        keeprestorable();
    watched = context;
}

bool contextready()
{
    if (emscripten_is_webgl_context_lost(watched)) {
        lost = true;
        return false;
    }
    if (lost) {
        lost = false;
        remakegl();
        reapplyglstate();
    }
    return true;
}
