// The defaults both kinds of skinned control hold: which changes the control hears of, and
// when the default size acts.
#include "skinctrls/SkinFontDefaults.h"
#include "ui/Control.h"

#include <gtest/gtest.h>

namespace {

class Probe : public TControl, public TspSkinFontDefaults {
public:
    Probe() : TControl(nullptr), TspSkinFontDefaults(*this, clNavy) {}
    using TspSkinFontDefaults::TakeDefaultSize;
    bool record = false;
    int fontChanges = 0, useChanges = 0;

protected:
    bool HasSkinRecord() const override { return record; }
    void AfterDefaultFontChange() override { ++fontChanges; }
    void AfterUseSkinFontChange() override { ++useChanges; }
};

} // namespace

TEST(SkinFontDefaults, TheFontStartsAsArial14InTheControlsColourAndEveryChangeIsHeard) {
    Probe p;
    EXPECT_EQ(p.DefaultFont()->Name(), "Arial");
    EXPECT_EQ(p.DefaultFont()->Height(), 14);
    EXPECT_EQ(p.DefaultFont()->Color(), clNavy);
    EXPECT_EQ(p.fontChanges, 0) << "setting the font up is no change";
    p.DefaultFont()->SetName("DejaVu Sans");
    EXPECT_EQ(p.fontChanges, 1);
    TFont other;
    other.SetHeight(20);
    p.SetDefaultFont(other);
    EXPECT_EQ(p.fontChanges, 2);
    EXPECT_EQ(p.DefaultFont()->Height(), 20);
    EXPECT_TRUE(p.UseSkinFont());
    p.SetUseSkinFont(true);
    EXPECT_EQ(p.useChanges, 0) << "the same value is no change";
    p.SetUseSkinFont(false);
    EXPECT_EQ(p.useChanges, 1);
    EXPECT_FALSE(p.UseSkinFont());
}

TEST(SkinFontDefaults, TheDefaultSizeActsOnlyWithoutARecordAndAboveZero) {
    Probe p;
    p.SetBounds(0, 0, 50, 20);
    p.SetDefaultWidth(80);
    EXPECT_EQ(p.Width(), 80);
    p.SetDefaultHeight(0);
    EXPECT_EQ(p.Height(), 20);
    p.record = true;
    p.SetDefaultHeight(30);
    EXPECT_EQ(p.Height(), 20) << "a record decides the size";
    EXPECT_EQ(p.DefaultHeight(), 30) << "but the value is kept for later";
    p.SetBounds(0, 0, 10, 10);
    p.TakeDefaultSize();
    EXPECT_EQ(p.BoundsRect(), Rect(0, 0, 80, 30));
    p.SetDefaultWidth(-5);
    p.SetBounds(0, 0, 10, 10);
    p.TakeDefaultSize();
    EXPECT_EQ(p.BoundsRect(), Rect(0, 0, 10, 30));
}
