#include "pages/common/CPropPage.h"

#include <algorithm>
#include <cstdio>

#include <QLineEdit>

#include "model/Ui.h"
#include "pages/common/PageContext.h"

CPropPage::CPropPage(const std::string& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {}

CPropPage::CPropPage(PageContext& context, const std::string& caption) : CPropPage(caption) {
    SetContext(&context);
}

void CPropPage::SetContext(PageContext* context) {
    context_ = context;
    SetActiveDocument(context ? &context->Doc() : nullptr);
}

void CPropPage::OnInitDialog() {
    Refresh();
    RefreshPreview();
}

void CPropPage::OnSetActive() {
    Refresh();
    RefreshPreview();
}

void CPropPage::OnReset() {
    if (!TheUi().Ask(kResetQuestion)) return;
    ResetRegisters();
    Refresh();
    RefreshPreview();
}

const Binding* CPropPage::Bound(int id) const {
    for (const auto& row : bound_)
        if (row.id == id) return &row;
    return nullptr;
}

void CPropPage::RefreshBound() {
    for (const auto& row : bound_) {
        switch (row.kind) {
            case ControlKind::Check:
                Check(row.id, TestBits(row.position, row.mask));
                break;
            case ControlKind::Radio:
                Check(row.id, (Value(row.position) & row.mask) == row.value);
                break;
            case ControlKind::List:
                Select(row.id, (Value(row.position) & row.mask) >> row.Shift());
                break;
            default:
                break;
        }
    }
    // Hex edits last: showing one stores it again and tells the page.
    for (const auto& row : bound_)
        if (row.kind == ControlKind::Edit) ShowHex(row.id);
}

void CPropPage::OnCommand(int id) {
    const Binding* row = Bound(id);
    if (!row) return;
    if (row->kind == ControlKind::Check) {
        SetBits(IsChecked(id), row->position, row->mask);
    } else if (row->kind == ControlKind::Radio) {
        SetField(row->position, row->mask, row->value);
        // Radios of the same field follow the register.
        for (const auto& other : bound_)
            if (other.kind == ControlKind::Radio && other.position == row->position && other.mask == row->mask)
                Check(other.id, other.id == id);
    } else {
        return;
    }
    RefreshPreview();
}

void CPropPage::OnSelChange(int id) {
    const Binding* row = Bound(id);
    if (!row || row->kind != ControlKind::List) return;
    const int index = Selected(id);
    if (index < 0) return;
    SetField(row->position, row->mask, static_cast<std::uint8_t>((index << row->Shift()) & row->mask));
    RefreshPreview();
}

void CPropPage::ShowHex(int editId) {
    const Binding* h = Bound(editId);
    if (!h || h->kind != ControlKind::Edit || !Record()) return;
    SetText(editId, FieldHex(h->position, h->mask, h->Shift()));
}

void CPropPage::OnEditChange(int id) {
    const Binding* h = Bound(id);
    if (!h || h->kind != ControlKind::Edit || !Record()) return;
    std::string text = Text(id);
    if (ValidateHex(text, 2) == 0) {
        // Writing the corrected text back re-enters this handler, which
        // stores the value; the outer call then stores the same value again.
        SetText(id, text);
    }
    const std::uint32_t typed = ParseHex(Text(id), 2);
    const std::uint32_t largest = static_cast<std::uint32_t>(h->mask) >> h->Shift();
    const std::uint32_t field = std::min(typed, largest) << h->Shift();
    std::uint8_t& value = Value(h->position);
    value = static_cast<std::uint8_t>((value & ~h->mask) | (field & h->mask));
    OnHexChanged(id);
    RefreshPreview();
}
