#include "framework/CMenu.h"

std::string StripMnemonic(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

namespace {
const CMenuItem* FindIn(const std::vector<CMenuItem>& items, int id) {
    for (const auto& item : items) {
        if (!item.Separator && !item.IsPopup() && item.Id == id) return &item;
        if (const CMenuItem* found = FindIn(item.Items, id)) return found;
    }
    return nullptr;
}
}  // namespace

const CMenuItem* FindMenuItem(const CMenuBar& menu, int id) {
    return FindIn(menu, id);
}
