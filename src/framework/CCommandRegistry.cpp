#include "framework/CCommandRegistry.h"

#include <algorithm>
#include <climits>

void CCommandRegistry::Add(CCommand command) {
    const int id = command.Id;
    commands_.insert_or_assign(id, std::move(command));
    emit commandsChanged();
}

void CCommandRegistry::Remove(int id) {
    if (commands_.erase(id) != 0) emit commandsChanged();
}

void CCommandRegistry::ReplaceRange(int first, int last, std::vector<CCommand> commands) {
    commands_.erase(commands_.lower_bound(first), commands_.upper_bound(last));
    for (auto& command : commands) {
        const int id = command.Id;
        commands_.insert_or_assign(id, std::move(command));
    }
    emit commandsChanged();
}

void CCommandRegistry::AddMenu(const std::string& path, int position) {
    menus_[path] = position;
}

const CCommand* CCommandRegistry::Find(int id) const {
    auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : &it->second;
}

std::vector<CMenuItem> CCommandRegistry::Items(const std::string& path, CDocument* doc) const {
    struct Placed {
        int position;
        CMenuItem item;
    };
    std::vector<Placed> placed;
    for (const auto& [id, c] : commands_) {
        if (c.Menu != path || (c.Shown && !c.Shown(doc))) continue;
        CMenuItem item = CMenuItem::Command(c.Caption, id);
        item.Checked = c.Checked;
        placed.push_back({c.Position, std::move(item)});
    }
    // Submenus one level down, declared or only named by their commands.
    std::map<std::string, int> children;
    for (const auto& [menu, position] : menus_)
        if (menu.size() > path.size() + 1 && menu.compare(0, path.size() + 1, path + "/") == 0 &&
            menu.find('/', path.size() + 1) == std::string::npos)
            children[menu] = position;
    for (const auto& [id, c] : commands_) {
        (void)id;
        if (c.Menu.size() > path.size() + 1 &&
            c.Menu.compare(0, path.size() + 1, path + "/") == 0) {
            const std::string child = c.Menu.substr(0, c.Menu.find('/', path.size() + 1));
            children.emplace(child, INT_MAX);
        }
    }
    for (const auto& [child, position] : children) {
        auto items = Items(child, doc);
        if (items.empty()) continue;
        placed.push_back(
            {position, CMenuItem::Popup(child.substr(path.size() + 1), std::move(items))});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.position < b.position; });
    std::vector<CMenuItem> items;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (i > 0 && placed[i].position / 100 != placed[i - 1].position / 100)
            items.push_back(CMenuItem::Separate());
        items.push_back(std::move(placed[i].item));
    }
    return items;
}

CMenuBar CCommandRegistry::MenuBar(CDocument* doc) const {
    // Top-level popups: the declared ones and any a command names alone.
    std::map<std::string, int> popups;
    for (const auto& [menu, position] : menus_)
        if (menu.find('/') == std::string::npos) popups[menu] = position;
    for (const auto& [id, c] : commands_) {
        (void)id;
        if (!c.Menu.empty()) popups.emplace(c.Menu.substr(0, c.Menu.find('/')), INT_MAX);
    }
    std::vector<std::pair<int, std::string>> order;
    for (const auto& [menu, position] : popups)
        order.emplace_back(position, menu);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    CMenuBar bar;
    for (const auto& [position, menu] : order) {
        (void)position;
        auto items = Items(menu, doc);
        if (!items.empty()) bar.push_back(CMenuItem::Popup(menu, std::move(items)));
    }
    return bar;
}

std::vector<int> CCommandRegistry::Toolbar() const {
    std::vector<const CCommand*> buttons;
    for (const auto& [id, c] : commands_)
        if (c.ToolbarPosition > 0) buttons.push_back(&c);
    std::stable_sort(buttons.begin(), buttons.end(), [](const CCommand* a, const CCommand* b) {
        return a->ToolbarPosition < b->ToolbarPosition;
    });
    std::vector<int> ids;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (i > 0 && buttons[i]->ToolbarPosition / 100 != buttons[i - 1]->ToolbarPosition / 100)
            ids.push_back(0);
        ids.push_back(buttons[i]->Id);
    }
    return ids;
}

bool CCommandRegistry::IsEnabled(int id) const {
    const CCommand* c = Find(id);
    return c && c->Run && (!c->Enabled || c->Enabled());
}

bool CCommandRegistry::Run(int id) {
    if (!IsEnabled(id)) return false;
    // A copy: the handler may replace its own entry (the recent-file list
    // changes when a recent file opens).
    const std::function<void()> run = Find(id)->Run;
    run();
    return true;
}

void CCommandRegistry::SetCaption(int id, const std::string& caption) {
    auto it = commands_.find(id);
    if (it == commands_.end() || it->second.Caption == caption) return;
    it->second.Caption = caption;
    emit commandChanged(id);
}

void CCommandRegistry::SetChecked(int id, bool checked) {
    auto it = commands_.find(id);
    if (it == commands_.end()) return;
    if (it->second.Checkable && it->second.Checked == checked) return;
    it->second.Checkable = true;
    it->second.Checked = checked;
    emit commandChanged(id);
}

bool CCommandRegistry::IsChecked(int id) const {
    const CCommand* c = Find(id);
    return c && c->Checked;
}

void CCommandRegistry::SetIcon(int id, const QIcon& icon) {
    auto it = commands_.find(id);
    if (it == commands_.end()) return;
    it->second.Icon = icon;
    emit commandChanged(id);
}
