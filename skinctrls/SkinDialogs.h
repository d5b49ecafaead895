#pragma once
// The skinned file dialogs: the framework's open and save dialogs whose window wears the
// skin's frame, caption and buttons from a skin store. Without a store (or with an empty
// one) they look like the framework's own.
#include "ui/Dialogs.h"

class TspSkinData;

class TspOpenSkinDialog : public TOpenDialog {
public:
    explicit TspOpenSkinDialog(TComponent* owner);
    ~TspOpenSkinDialog() override;

    TspSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TspSkinData* store);

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void PrepareForm(TForm& form) override;

private:
    TspSkinData* m_skinData = nullptr;
};

class TspSkinSaveDialog : public TspOpenSkinDialog {
public:
    explicit TspSkinSaveDialog(TComponent* owner) : TspOpenSkinDialog(owner) {}

protected:
    bool IsSave() const override { return true; }
};
