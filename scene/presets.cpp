// Effect preset state.
#include "presets.h"

int changer;
