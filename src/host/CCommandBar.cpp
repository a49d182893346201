#include "host/CCommandBar.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "framework/CCommandRegistry.h"

namespace {
// Captions are UTF-8 (file names in the recent-file and window lists).
QString ToQt(const std::string& s) {
    return QString::fromUtf8(s.c_str());
}
}  // namespace

CCommandBar::CCommandBar(QMainWindow& window, CCommandRegistry& registry,
                         std::function<CDocument*()> activeDocument)
    : QObject(&window),
      window_(window),
      registry_(registry),
      activeDocument_(std::move(activeDocument)),
      toolbar_(window.addToolBar(QStringLiteral("Standard"))) {
    toolbar_->setObjectName(QStringLiteral("Standard"));
    toolbar_->setMovable(false);
    connect(&registry_, &CCommandRegistry::commandsChanged, this, &CCommandBar::Rebuild);
    connect(&registry_, &CCommandRegistry::commandChanged, this, &CCommandBar::Sync);
}

CCommandBar::~CCommandBar() = default;

QAction* CCommandBar::ActionFor(int id) {
    auto it = actions_.find(id);
    if (it != actions_.end()) return it->second;
    auto* a = new QAction(&window_);
    a->setData(id);
    // On the window itself, so that the shortcut works whether or not the
    // item is in the menus.
    window_.addAction(a);
    connect(a, &QAction::triggered, this, [this, id] {
        registry_.Run(id);
        // A checkable action toggled itself; the command says what is right.
        Sync(id);
    });
    actions_[id] = a;
    return a;
}

void CCommandBar::Sync(int id) {
    const CCommand* c = registry_.Find(id);
    auto it = actions_.find(id);
    if (!c || it == actions_.end()) return;
    QAction* a = it->second;
    a->setText(ToQt(c->Caption));
    a->setShortcut(c->Shortcut);
    a->setCheckable(c->Checkable);
    a->setChecked(c->Checked);
    a->setIcon(c->Icon);
}

void CCommandBar::Rebuild() {
    // The old popups and actions may be running the command that caused
    // this; they go once control is back in the event loop.
    for (const QPointer<QMenu>& menu : menus_)
        if (menu) menu->deleteLater();
    menus_.clear();
    window_.menuBar()->clear();
    placed_.clear();
    for (auto it = actions_.begin(); it != actions_.end();) {
        if (registry_.Find(it->first)) {
            ++it;
            continue;
        }
        window_.removeAction(it->second);
        it->second->deleteLater();
        it = actions_.erase(it);
    }
    for (const auto& [id, command] : registry_.Commands()) {
        (void)command;
        QAction* a = ActionFor(id);
        Sync(id);
        if (QMenu* old = a->menu()) {
            a->setMenu(static_cast<QMenu*>(nullptr));
            old->deleteLater();
        }
    }

    for (const CMenuItem& popup : registry_.MenuBar(activeDocument_())) {
        auto* menu = new QMenu(ToQt(popup.Caption), window_.menuBar());
        AddItems(menu, popup.Items);
        connect(menu, &QMenu::aboutToShow, this, &CCommandBar::aboutToShowMenu);
        window_.menuBar()->addMenu(menu);
        menus_.push_back(menu);
    }
    BuildToolBar();
    UpdateStates();
}

void CCommandBar::AddItems(QMenu* menu, const std::vector<CMenuItem>& items) {
    for (const CMenuItem& item : items) {
        if (item.Separator) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            AddItems(menu->addMenu(ToQt(item.Caption)), item.Items);
        } else {
            QAction* a = ActionFor(item.Id);
            const CCommand* c = registry_.Find(item.Id);
            if (c && c->Submenu) a->setMenu(c->Submenu(&window_));
            menu->addAction(a);
            placed_[item.Id] = a;
        }
    }
}

void CCommandBar::BuildToolBar() {
    for (auto& [id, a] : toolActions_) {
        (void)id;
        toolbar_->removeAction(a);
        if (a->menu()) a->menu()->deleteLater();
        a->deleteLater();
    }
    toolActions_.clear();
    toolbar_->clear();
    QStyle* style = window_.style();
    for (int id : registry_.Toolbar()) {
        if (id == 0) {
            toolbar_->addSeparator();
            continue;
        }
        const CCommand& c = *registry_.Find(id);
        QAction* a = toolbar_->addAction(style->standardIcon(c.ToolbarIcon), ToQt(c.ToolTip));
        a->setData(id);
        if (c.Submenu) {
            a->setMenu(c.Submenu(toolbar_));
            if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(a)))
                button->setPopupMode(QToolButton::InstantPopup);
        } else {
            connect(a, &QAction::triggered, this, [this, id] { registry_.Run(id); });
        }
        toolActions_[id] = a;
    }
}

void CCommandBar::UpdateStates() {
    for (auto& [id, a] : actions_)
        a->setEnabled(registry_.IsEnabled(id));
    for (auto& [id, a] : toolActions_)
        if (!a->menu()) a->setEnabled(registry_.IsEnabled(id));
}

std::optional<MenuCommandState> CCommandBar::Find(const std::string& captionOrId) const {
    bool isNumber = false;
    const int number = ToQt(captionOrId).toInt(&isNumber);
    for (const auto& [id, action] : placed_) {
        const std::string caption = StripMnemonic(action->text().toUtf8().toStdString());
        if ((isNumber && id == number) || (!isNumber && caption == captionOrId)) {
            MenuCommandState state;
            state.Id = id;
            state.Caption = caption;
            state.Enabled = registry_.IsEnabled(id);
            state.Checked = action->isChecked();
            return state;
        }
    }
    return std::nullopt;
}

std::string CCommandBar::Trigger(const std::string& captionOrId) {
    const auto state = Find(captionOrId);
    if (!state) return "no menu item " + captionOrId;
    if (!state->Enabled) return "menu item " + captionOrId + " is disabled";
    registry_.Run(state->Id);
    Sync(state->Id);
    return {};
}
