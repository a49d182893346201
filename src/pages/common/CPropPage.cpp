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

void CPropPage::OnSetActive() { RefreshPreview(); }

void CPropPage::OnReset() {
    if (!TheUi().Ask(kResetQuestion)) return;
    ResetRegisters();
    Refresh();
    RefreshPreview();
}

void CPropPage::BuildBound(const std::vector<BitControl>& table) {
    PageBuilder b(this, this);
    // Groups in order of first appearance, placed in their columns.
    std::vector<std::pair<int, std::string>> groups;
    for (const auto& row : table) {
        bool seen = false;
        for (const auto& g : groups) seen = seen || g.second == row.group;
        if (!seen) groups.emplace_back(row.column, row.group);
    }
    int columns = 0;
    for (const auto& g : groups) columns = std::max(columns, g.first + 1);
    for (int c = 0; c < columns; ++c) {
        if (c > 0) b.NextColumn();
        for (const auto& g : groups) {
            if (g.first != c) continue;
            b.Group(g.second);
            for (const auto& row : table) {
                if (row.group != g.second) continue;
                switch (row.kind) {
                    case ControlKind::Check: b.Check(row.id, row.caption); break;
                    case ControlKind::Radio: b.Radio(row.id, row.caption); break;
                    case ControlKind::List: b.List(row.id, row.caption, row.items); break;
                    default: break;
                }
            }
        }
    }
    b.Preview();
    Bind(table);
}

void CPropPage::Bind(const std::vector<BitControl>& table) {
    bound_.insert(bound_.end(), table.begin(), table.end());
}

const BitControl* CPropPage::Bound(int id) const {
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
                Select(row.id, (Value(row.position) & row.mask) >> row.value);
                break;
            default:
                break;
        }
    }
    for (const auto& h : hex_) ShowHex(h.editId);
}

void CPropPage::OnCommand(int id) {
    const BitControl* row = Bound(id);
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
    const BitControl* row = Bound(id);
    if (!row || row->kind != ControlKind::List) return;
    const int index = Selected(id);
    if (index < 0) return;
    SetField(row->position, row->mask, static_cast<std::uint8_t>((index << row->value) & row->mask));
    RefreshPreview();
}

void CPropPage::BindHex(int editId, int position, int maxLength) {
    BindHexField(editId, position, 0xFF, 0, maxLength);
}

void CPropPage::BindHexField(int editId, int position, std::uint8_t mask, int shift, int maxLength) {
    hex_.push_back({editId, position, maxLength, mask, shift});
    if (auto* edit = qobject_cast<QLineEdit*>(Control(editId))) edit->setAlignment(Qt::AlignCenter);
}

const CPropPage::HexEdit* CPropPage::FindHex(int editId) const {
    for (const auto& h : hex_)
        if (h.editId == editId) return &h;
    return nullptr;
}

bool CPropPage::IsHexBound(int editId) const { return FindHex(editId) != nullptr; }

void CPropPage::ShowHex(int editId) {
    const HexEdit* h = FindHex(editId);
    if (!h || !Record()) return;
    SetText(editId, FieldHex(h->position, h->mask, h->shift));
}

void CPropPage::OnEditChange(int id) {
    const HexEdit* h = FindHex(id);
    if (!h || !Record()) return;
    std::string text = Text(id);
    if (ValidateHex(text, h->maxLength) == 0) {
        // Writing the corrected text back re-enters this handler, which
        // stores the value; the outer call then stores the same value again.
        SetText(id, text);
    }
    const std::uint32_t typed = ParseHex(Text(id), 2);
    const std::uint32_t largest = static_cast<std::uint32_t>(h->mask) >> h->shift;
    const std::uint32_t field = std::min(typed, largest) << h->shift;
    std::uint8_t& value = Value(h->position);
    value = static_cast<std::uint8_t>((value & ~h->mask) | (field & h->mask));
    OnHexChanged(id);
    RefreshPreview();
}
