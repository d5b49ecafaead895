#pragma once
// Work the main window needs before it can be shown, done on a second thread while the main
// one opens the display (mostly the display library reading its locale and input tables and
// waiting for the server): the stored skin inflated and its pictures decoded, the login page's
// picture decoded, and the faces the window is designed with loaded with their common glyphs.
// Nothing of it touches a window or a component, and all of it is finished before the first
// component is made.
//
//     BeginPreparingStart();
//     ... open the display ...
//     FinishPreparingStart();
//     Application->CreateForm(Form1); // takes what was prepared
#include "gfx/Bitmap.h"
#include "skin/SkinContainer.h"

#include <memory>
#include <string>
#include <vector>

class TFontFace;

struct TPreparedStart {
    int scale = 1;          // the screen scale the pictures are for
    std::string skinSource; // the compressed skin it was inflated from
    // The stored skin inflated and read, pictures decoded; null: that failed, and the form
    // tries again (and reports it).
    std::unique_ptr<TspSkinContainerContents> skinContents;
    TBitmap aboutPicture; // empty: decoding failed; the form tries again
    std::vector<std::shared_ptr<TFontFace>> faces;
};

// Starts the preparation on its own thread; does nothing while one is under way.
void BeginPreparingStart();
// Ends it (at once when none began): the calling thread does the parts not yet begun, then
// waits for the one under way. What it made can then be taken.
void FinishPreparingStart();
// What a finished preparation made, once; null when none was made. The window calls it as
// it is created and does by itself whatever was not prepared.
std::unique_ptr<TPreparedStart> TakePreparedStart();
