#pragma once
// TspSkinHint: tool tips in the skin's look. While active, the application's hint window is
// one of its skinned windows (drawn from the store's [HINTWINDOW] picture, shaped by its
// mask, in its font); the window frame also shows its objects' hints through it.
//
//     auto* hint = new TspSkinHint(form);
//     hint->SetSkinData(store);
//     hint->SetActive(true);          // every control's Hint now shows in the skin
#include "rtl/Component.h"
#include "rtl/Strings.h"
#include "ui/Forms.h"

class TspSkinData;

class TspSkinHint : public TComponent {
public:
    explicit TspSkinHint(TComponent* owner);
    ~TspSkinHint() override;

    TspSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TspSkinData* store);
    bool Active() const { return m_active; }
    void SetActive(bool value);

    // A hint of its own (the frame's objects): shown with its corner at a screen point.
    void ActivateHint(TPoint screen, const AnsiString& text);
    void HideHint();
    bool HintShown() const;

    void Notification(TComponent* component, TOperation operation) override;

private:
    TspSkinData* m_skinData = nullptr;
    bool m_active = false;
    THintWindow* m_window = nullptr; // for ActivateHint; owned by this component
};

// A hint window drawn from the store's hint window description; the plain look without one.
class TspSkinHintWindow : public THintWindow {
public:
    TspSkinHintWindow(TComponent* owner, TspSkinHint* hint);
    TRect CalcHintRect(int maxWidth, const AnsiString& hint) override;
    void ActivateHint(const TRect& rect, const AnsiString& hint) override;

protected:
    void Paint() override;

private:
    // The store's hint picture when it can be drawn, else nullptr.
    const TBitmap* Picture() const;
    void SetHintFont(TCanvas& canvas) const;
    TspSkinHint* m_hint;
};
