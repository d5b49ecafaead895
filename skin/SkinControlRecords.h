#pragma once
// Control skin records: one object per [SKINCONTROLS] entry, holding the values of its
// section. Fields are named exactly as their keys; controls read them after a lookup.
#include "skin/SkinFieldBinder.h"

#include <memory>
#include <string>
#include <vector>

class TspSkinIni;

class TspDataSkinControl {
public:
    explicit TspDataSkinControl(std::string idName) : IDName(std::move(idName)) {}
    virtual ~TspDataSkinControl() = default;
    TspDataSkinControl(const TspDataSkinControl&) = delete;
    TspDataSkinControl& operator=(const TspDataSkinControl&) = delete;

    virtual const char* ClassName() const { return "TspDataSkinControl"; }
    // Reads the section named IDName: the base class's keys first, then the class's own.
    virtual void ReadFromSection(const TspSkinIni& ini);
    // Visits every field in reading order (the reader and the dump share it).
    virtual void BindFields(TspSkinFieldBinder& b);

    std::string IDName;
    int pictureindex = -1;
    int maskpictureindex = -1;
    int cursorindex = -1;
    TRect skinrect;

protected:
    // Values some classes force after reading.
    virtual void AfterRead() {}
};

// Sliced records: four slicing points and a client rectangle.
class TspDataSkinCustomControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    const char* ClassName() const override { return "TspDataSkinCustomControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    bool stretcheffect = false;
    bool leftstretch = false, topstretch = false, rightstretch = false, bottomstretch = false;
};

class TspDataSkinButtonControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinButtonControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0, downfontcolor = 0;
    bool morphing = false;
    TspMorphKind morphkind = mkDefault;
    TRect activeskinrect, downskinrect, disabledskinrect;
    TRect animateskinrect;
    int framecount = 0;
    int animateinterval = 25;
    bool showfocus = false;
    TRect menumarkerflatrect, menumarkerrect, menumarkeractiverect, menumarkerdownrect;
    TspColorValue menumarkertransparentcolor = 0;
};

class TspDataSkinMenuButtonControl : public TspDataSkinButtonControl {
public:
    using TspDataSkinButtonControl::TspDataSkinButtonControl;
    const char* ClassName() const override { return "TspDataSkinMenuButtonControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect trackbuttonrect;
};

class TspDataSkinCheckRadioControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinCheckRadioControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0, framefontcolor = 0;
    bool morphing = false;
    TspMorphKind morphkind = mkDefault;
    TRect activeskinrect;
    TRect checkimagearea, textarea;
    TRect checkimagerect, uncheckimagerect;
    TRect activecheckimagerect, activeuncheckimagerect;
    TRect unenabledcheckimagerect, unenableduncheckimagerect;
};

class TspDataSkinEditControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinEditControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect activeskinrect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, disabledfontcolor = 0, activefontcolor = 0;
    TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
};

class TspDataSkinMemoControl : public TspDataSkinEditControl {
public:
    using TspDataSkinEditControl::TspDataSkinEditControl;
    const char* ClassName() const override { return "TspDataSkinMemoControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TspColorValue bgcolor = 0, activebgcolor = 0;
};

class TspDataSkinSpinEditControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinSpinEditControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect activeskinrect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
};

// Tabs derive from the plain base and carry their own slicing keys.
class TspDataSkinTabControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    const char* ClassName() const override { return "TspDataSkinTabControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect tabrect, activetabrect, focustabrect, mouseintabrect;
    TRect clientrect;
    int bgpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    int tableftoffset = 0, tabrightoffset = 0;
    TRect tabsbgrect;
    bool tabstretcheffect = false;
    bool leftstretch = false, topstretch = false, rightstretch = false, bottomstretch = false;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;
    std::string updown;
    bool showfocus = false;
    int focusoffsetx = 0, focusoffsety = 0;
};

class TspDataSkinStdLabelControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    const char* ClassName() const override { return "TspDataSkinStdLabelControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0;
    TspColorValue activefontcolor = 16711680;
};

class TspDataSkinLabelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinLabelControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0;
};

class TspDataSkinPanelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinPanelControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int bgpictureindex = -1;
    TRect captionrect;
    TspSkinAlignment alignment = TspSkinAlignment::Center;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0;
    TRect checkimagerect, uncheckimagerect, markframerect, framerect, frametextrect;
    int frameleftoffset = 0, framerightoffset = 0;
    TRect gripperrect;
    bool grippertransparent = false;
    TspColorValue grippertransparentcolor = 0;
};

class TspDataSkinExPanelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinExPanelControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect rollhskinrect, rollvskinrect;
    int rollleftoffset = 0, rollrightoffset = 0, rolltopoffset = 0, rollbottomoffset = 0;
    TRect rollvcaptionrect, rollhcaptionrect;
    TRect closebuttonrect, closebuttonactiverect, closebuttondownrect;
    TRect hrollbuttonrect, hrollbuttonactiverect, hrollbuttondownrect;
    TRect hrestorebuttonrect, hrestorebuttonactiverect, hrestorebuttondownrect;
    TRect vrollbuttonrect, vrollbuttonactiverect, vrollbuttondownrect;
    TRect vrestorebuttonrect, vrestorebuttonactiverect, vrestorebuttondownrect;
    TRect captionrect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0;
};

class TspDataSkinBevel : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    const char* ClassName() const override { return "TspDataSkinBevel"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TspColorValue lightcolor = 0, darkcolor = 0;
};

// The six arrow-button rectangles shared by up-down, scroll bar and list records.
struct TspSkinArrowButtonRects {
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    void Bind(TspSkinFieldBinder& b);
};

class TspDataSkinUpDownControl : public TspDataSkinCustomControl, public TspSkinArrowButtonRects {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinUpDownControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

protected:
    void AfterRead() override;
};

class TspDataSkinScrollBarControl : public TspDataSkinCustomControl,
                                    public TspSkinArrowButtonRects {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinScrollBarControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect trackarea;
    TRect thumbrect, activethumbrect, downthumbrect;
    int thumboffset1 = 0, thumboffset2 = 0;
    bool thumbtransparent = false;
    TspColorValue thumbtransparentcolor = 0;
    TRect glyphrect, activeglyphrect, downglyphrect;
};

class TspDataSkinListBox : public TspDataSkinCustomControl, public TspSkinArrowButtonRects {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinListBox"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect itemrect, activeitemrect, focusitemrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect itemtextrect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
    TRect captionrect;
    std::string captionfontname;
    int captionfontheight = 14;
    TspSkinFontStyles captionfontstyle = 0;
    TspColorValue captionfontcolor = 0;
    TRect checkbuttonrect, activecheckbuttonrect, downcheckbuttonrect;
    std::string vscrollbarname = "vscrollbar";
    std::string hscrollbarname = "hscrollbar";
    std::string bothhscrollbarname = "bothhscrollbar";
    bool showfocus = false;
};

class TspDataSkinCheckListBox : public TspDataSkinListBox {
public:
    using TspDataSkinListBox::TspDataSkinListBox;
    const char* ClassName() const override { return "TspDataSkinCheckListBox"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect checkimagerect, itemcheckrect, uncheckimagerect;
};

class TspDataSkinComboBox : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinComboBox"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect activeskinrect;
    TRect itemrect, activeitemrect, focusitemrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect itemtextrect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, focusfontcolor = 0, activefontcolor = 0;
    std::string listboxname;
    TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
    bool itemstretcheffect = false, focusitemstretcheffect = false;
    bool showfocus = false;
};

class TspDataSkinControlBar : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinControlBar"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect itemrect;
    int bgpictureindex = -1;
    TRect hgriprect, vgriprect;
    int gripoffset1 = 0, gripoffset2 = 0;
};

class TspDataSkinGridControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    const char* ClassName() const override { return "TspDataSkinGridControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect fixedcellrect, selectcellrect, focuscellrect;
    int fixedcellleftoffset = 0, fixedcellrightoffset = 0;
    TRect fixedcelltextrect;
    int cellleftoffset = 0, cellrightoffset = 0;
    TRect celltextrect;
    TspColorValue linescolor = 0, bgcolor = 0;
    int bgpictureindex = -1;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, selectfontcolor = 0, focusfontcolor = 0;
    std::string fixedfontname;
    int fixedfontheight = 14;
    TspSkinFontStyles fixedfontstyle = 0;
    TspColorValue fixedfontcolor = 0;
    bool cellstretcheffect = false, fixedcellstretcheffect = false;
    bool showfocus = false;
};

// Tree view, list view and rich edit read the same five keys.
class TspDataSkinTextViewControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    void BindFields(TspSkinFieldBinder& b) override;

    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, bgcolor = 0;
};

class TspDataSkinTreeView : public TspDataSkinTextViewControl {
public:
    using TspDataSkinTextViewControl::TspDataSkinTextViewControl;
    const char* ClassName() const override { return "TspDataSkinTreeView"; }
};

class TspDataSkinListView : public TspDataSkinTextViewControl {
public:
    using TspDataSkinTextViewControl::TspDataSkinTextViewControl;
    const char* ClassName() const override { return "TspDataSkinListView"; }
};

class TspDataSkinRichEdit : public TspDataSkinTextViewControl {
public:
    using TspDataSkinTextViewControl::TspDataSkinTextViewControl;
    const char* ClassName() const override { return "TspDataSkinRichEdit"; }
};

class TspDataSkinSlider : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    const char* ClassName() const override { return "TspDataSkinSlider"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TspColorValue bgcolor = 0;
    TRect hrulerrect, hthumbrect, vrulerrect, vthumbrect;
    int edgesize = 0;
    TspColorValue pointscolor = 0;
};

class TspDataSkinMainMenuBar : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    const char* ClassName() const override { return "TspDataSkinMainMenuBar"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect itemsrect;
    std::string menubaritem, closebutton, minbutton, maxbutton, sysmenubutton;
    TspColorValue trackmarkcolor = 0, trackmarkactivecolor = 0;
};

class TspDataSkinFrameControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    const char* ClassName() const override { return "TspDataSkinFrameControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int framescount = 1;
    int framesplacement = 0; // 0 horizontal, 1 vertical

protected:
    void AfterRead() override;
};

class TspDataSkinAnimateControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    const char* ClassName() const override { return "TspDataSkinAnimateControl"; }
};

class TspDataSkinSwitchControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    const char* ClassName() const override { return "TspDataSkinSwitchControl"; }
};

class TspDataSkinFrameGauge : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    const char* ClassName() const override { return "TspDataSkinFrameGauge"; }
};

class TspDataSkinFrameRegulator : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    const char* ClassName() const override { return "TspDataSkinFrameRegulator"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int kind = 0; // 0 round, 1 horizontal, 2 vertical
};

class TspDataSkinBitLabelControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinBitLabelControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect skintextrect;
    int symbolwidth = 0, symbolheight = 0;
    std::vector<std::string> symbols;
};

class TspDataSkinTrackBarControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinTrackBarControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect trackarea, buttonrect, activebuttonrect;
    bool vertical = false;
    bool buttontransparent = false;
    TspColorValue buttontransparentcolor = 0;
};

class TspDataSkinSplitterControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinSplitterControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect gripperrect;
    bool grippertransparent = false;
    TspColorValue grippertransparentcolor = 0;
};

class TspDataSkinGaugeControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinGaugeControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect progressarea, progressrect;
    int beginoffset = 0, endoffset = 0;
    bool vertical = false;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0;
    bool progresstransparent = false;
    TspColorValue progresstransparentcolor = 0;
    bool progressstretch = false;
};

class TspDataSkinScrollBoxControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    const char* ClassName() const override { return "TspDataSkinScrollBoxControl"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int bgpictureindex = -1;
};

// The record class for a [SKINCONTROLS] type name (exact, case-sensitive); null for an
// unknown type.
std::unique_ptr<TspDataSkinControl> CreateSkinControlRecord(const std::string& type,
                                                            const std::string& idName);
