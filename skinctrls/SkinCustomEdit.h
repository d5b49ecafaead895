#pragma once
// TspCustomEdit: the edit window as the skinned fields use it. Enter and Escape never reach
// the text: they go to OnKeyPress and then to the form as dialog keys, so a default or
// cancel button reacts.
#include "ui/StdCtrls.h"

class TspCustomEdit : public TCustomEdit {
public:
    explicit TspCustomEdit(TComponent* owner);

protected:
    void KeyPress(char& key) override;
    void WMGetDlgCode(TMessage& m) override;
};
