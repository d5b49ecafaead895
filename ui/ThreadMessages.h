#pragma once
// Messages posted from threads other than the UI thread. The window system and PostMessage
// belong to the UI thread alone, so a worker hands its message here instead: it waits under a
// lock until the loop's next turn moves it into the window system's queue (the display's wait
// is woken for that), and from there it is dispatched like any posted message, in the order
// posted, and dropped when its window is gone by then.
#include "ui/WinControl.h"

// Safe from any thread.
void PostMessageFromThread(TWinControl* target, UINT msg, WPARAM wParam, LPARAM lParam);

// On the UI thread: moves what other threads posted into the loop's queue; true when there
// was anything. The application's loop calls it on every turn.
bool TakeMessagesFromThreads();
