// On a dense screen the window wears the skin and login picture drawn for its scale: the
// pictures carry the screen's scale and their own detail, not the 1x pictures enlarged.
#include "AppTest.h"
#include "app/StartPreparation.h"
#include "skin/SkinData.h"
#include "ui/ExtCtrls.h"

#include <gtest/gtest.h>

namespace apptest {
namespace {

// Blocks of s x s device pixels that are not one colour: detail finer than a point, which a
// 1x picture enlarged by whole pixels never has.
int MixedBlocks(const TBitmap& picture) {
    const int s = picture.Scale();
    int mixed = 0;
    for (int py = 0; py < picture.Height(); ++py)
        for (int px = 0; px < picture.Width(); ++px) {
            const TPixel first = picture.ScanLine(py * s)[px * s];
            bool same = true;
            for (int y = 0; y < s && same; ++y)
                for (int x = 0; x < s && same; ++x)
                    same = picture.ScanLine(py * s + y)[px * s + x] == first;
            mixed += !same;
        }
    return mixed;
}

class ScaledArtTest : public AppTest, public ::testing::WithParamInterface<int> {
protected:
    int DisplayScale() const override { return GetParam(); }
};

TEST_P(ScaledArtTest, TheSkinAndTheLoginPictureAreDrawnForTheScreensScale) {
    const int s = GetParam();
    StartWindow();
    TspSkinData* skin = form->spSkinData1;
    ASSERT_FALSE(skin->SkinEmpty());
    // The frame: the 1x size in points, s times the pixels, and detail inside the points.
    const TBitmap* frame = skin->SkinPicture();
    EXPECT_EQ(frame->Scale(), s);
    EXPECT_EQ(frame->Width(), 150);
    EXPECT_EQ(frame->Height(), 107);
    EXPECT_EQ(frame->DeviceWidth(), 150 * s);
    if (s > 1) {
        EXPECT_GT(MixedBlocks(*frame), 100) << "the 1x frame enlarged";
    }
    EXPECT_EQ(skin->InactiveSkinPicture()->Scale(), s);
    // The window's shape stays in points.
    EXPECT_EQ(skin->SkinMask()->Scale(), 1);
    EXPECT_EQ(skin->SkinMask()->Width(), 150);
    // The control atlas and the popup pictures; their masks 1x.
    const TBitmap* controls = skin->ActivePicture(0);
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(controls->Scale(), s);
    if (s > 1) {
        EXPECT_GT(MixedBlocks(*controls), 1000) << "the 1x atlas enlarged";
    }
    const int popupMask = skin->PopupWindow().maskpictureindex;
    ASSERT_NE(skin->ActivePicture(popupMask), nullptr);
    EXPECT_EQ(skin->ActivePicture(popupMask)->Scale(), 1);
    EXPECT_EQ(skin->ActivePicture(skin->PopupWindow().windowpictureindex)->Scale(), s);

    const TBitmap& about = *form->Image1->Picture();
    EXPECT_EQ(about.Scale(), s);
    EXPECT_EQ(about.Width(), 801);
    EXPECT_EQ(about.Height(), 567);
    if (s > 1) {
        EXPECT_GT(MixedBlocks(about), 801 * 567 / 4) << "the 1x picture enlarged";
    }
}

// What was prepared for another scale is not taken: the window decodes its own.
TEST_P(ScaledArtTest, APreparationForAnotherScaleIsLeftAside) {
    const int s = GetParam();
    setenv("BRELVAN_SCALE", s == 1 ? "2" : "1", 1);
    BeginPreparingStart();
    FinishPreparingStart();
    unsetenv("BRELVAN_SCALE");
    StartWindow();
    EXPECT_EQ(form->spSkinData1->SkinPicture()->Scale(), s);
    EXPECT_EQ(form->Image1->Picture()->Scale(), s);
    EXPECT_EQ(form->Image1->Picture()->Width(), 801);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledArtTest, ::testing::Values(1, 2, 3));

} // namespace
} // namespace apptest
