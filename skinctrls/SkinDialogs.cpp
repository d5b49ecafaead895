#include "skinctrls/SkinDialogs.h"

#include "skin/SkinData.h"
#include "skin/SkinFrame.h"

TspOpenSkinDialog::TspOpenSkinDialog(TComponent* owner) : TOpenDialog(owner) {}

TspOpenSkinDialog::~TspOpenSkinDialog() {
    SetSkinData(nullptr);
}

void TspOpenSkinDialog::SetSkinData(TspSkinData* store) {
    if (m_skinData == store) return;
    if (m_skinData) RemoveFreeNotification(m_skinData);
    m_skinData = store;
    if (m_skinData) FreeNotification(m_skinData);
}

void TspOpenSkinDialog::Notification(TComponent* component, TOperation operation) {
    TOpenDialog::Notification(component, operation);
    if (operation == opRemove && component == m_skinData) m_skinData = nullptr;
}

void TspOpenSkinDialog::PrepareForm(TForm& form) {
    if (!m_skinData || m_skinData->SkinEmpty()) return;
    // The frame belongs to the dialog's window and goes with it.
    auto* frame = new TspSkinFrame(&form);
    frame->SetBorderIcons(biSystemMenu);
    frame->SetSizeable(false);
    frame->SetSkinData(m_skinData);
}
