#pragma once
// Serves GLib's default main context (where the AT-SPI adaptor's bus connection lives) on
// the UI thread, from the application's loop: each turn dispatches what is ready and hands
// the context's descriptors to a helper thread, which waits on them and wakes the loop's
// wait (Display::Wake) when one has data. Nothing polls while the bus is quiet.
void StartGLibPump();
void StopGLibPump();
// Makes the loop turn soon (work was queued on the context from the UI thread itself).
void WakeGLibPump();
