/* SPDX-License-Identifier: MIT */
/* Made-up input for the hook: bursts of SDL events of every kind with
 * garbage wherever the handler should not look. */
#pragma once

/* Queues count events made up from the frame number alone (the same frame
 * always gets the same events; the program's rand() is left alone).
 * Returns how many did not fit in SDL's queue. */
int queuestorm(long frame, int count);
