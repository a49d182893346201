#include "host/CProblemsDock.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "framework/CCommandRegistry.h"
#include "framework/CDocument.h"
#include "model/DeviceDocument.h"

namespace {

QString FromLatin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

QIcon IconOf(const QStyle* style, chip::Severity level) {
    return style->standardIcon(level == chip::Severity::Error ? QStyle::SP_MessageBoxCritical
                                                              : QStyle::SP_MessageBoxWarning);
}

}  // namespace

CProblemsDock::CProblemsDock(CCommandRegistry& commands, QWidget* parent)
    : QDockWidget(QStringLiteral("Problems"), parent), commands_(commands) {
    setObjectName(QStringLiteral("ProblemsDock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 2, 4, 4);
    list_ = new QTreeWidget(body);
    list_->setColumnCount(3);
    list_->setHeaderLabels({QStringLiteral("Problem"), QStringLiteral("Where"), QStringLiteral("Rule")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    list_->setToolTip(QStringLiteral("Double-click a problem to open its page"));
    empty_ = new QLabel(QStringLiteral("No problems"), body);
    fix_ = new QPushButton(QStringLiteral("Fix"), body);
    auto* row = new QHBoxLayout;
    row->addWidget(empty_, 1);
    row->addWidget(fix_);
    layout->addWidget(list_, 1);
    layout->addLayout(row);
    setWidget(body);

    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenEntry(list_->indexOfTopLevelItem(item)); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { UpdateFixButton(); });
    connect(fix_, &QPushButton::clicked, this,
            [this] { FixEntry(list_->indexOfTopLevelItem(list_->currentItem())); });
    Refresh();
}

CProblemsDock::~CProblemsDock() {
    disconnect(changed_);
    disconnect(destroyed_);
}

void CProblemsDock::SetDocument(CDocument* doc) {
    if (doc == doc_ && doc) return;
    disconnect(changed_);
    disconnect(destroyed_);
    doc_ = doc;
    if (doc_) {
        // Once per step that changed the project (a sheet, a nested store,
        // Reset All, a format switch, a fix), undo and redo.
        changed_ = connect(doc_, &CDocument::changed, this, [this] { Refresh(); });
        destroyed_ = connect(doc_, &QObject::destroyed, this, [this] { SetDocument(nullptr); });
    }
    Refresh();
}

QString CProblemsDock::CountText(std::size_t count) {
    if (count == 0) return QStringLiteral("No problems");
    return QString::number(count) + (count == 1 ? QStringLiteral(" problem") : QStringLiteral(" problems"));
}

void CProblemsDock::Refresh() {
    CDeviceDocument* device = doc_ ? doc_->DeviceDocument() : nullptr;
    problems_ = device ? chip::FindProblems(*device) : std::vector<chip::Problem>{};
    // Keep the selection on the same problem where it is still there.
    const QString current = list_->currentItem() ? list_->currentItem()->text(0) : QString();
    list_->clear();
    QTreeWidgetItem* keep = nullptr;
    for (const chip::Problem& p : problems_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setIcon(0, IconOf(style(), p.Level));
        item->setText(0, FromLatin1(p.Message));
        item->setToolTip(0, FromLatin1(p.Message) +
                                (p.Fixable() ? QStringLiteral("\nFix: ") + FromLatin1(p.FixText)
                                             : QString()));
        item->setText(1, FromLatin1(p.Page.empty() ? p.Command : p.Command + " > " + p.Page));
        item->setText(2, FromLatin1(p.Id));
        if (!keep && item->text(0) == current) keep = item;
    }
    list_->setCurrentItem(keep ? keep : list_->topLevelItem(0));
    empty_->setText(device ? CountText(problems_.size()) : QStringLiteral("No project is open"));
    UpdateFixButton();
    MarkMenuItems();
    emit problemsChanged(static_cast<int>(problems_.size()));
}

void CProblemsDock::UpdateFixButton() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    const bool fixable = row >= 0 && problems_[static_cast<std::size_t>(row)].Fixable();
    fix_->setEnabled(fixable);
    fix_->setToolTip(fixable ? FromLatin1(problems_[static_cast<std::size_t>(row)].FixText)
                             : QStringLiteral("This problem has no quick fix"));
}

void CProblemsDock::MarkMenuItems() {
    std::set<int> now;
    for (const chip::Problem& p : problems_) now.insert(p.CommandId);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int id : marked_)
        if (!now.count(id)) commands_.SetIcon(id, QIcon());
    for (int id : now)
        if (!marked_.count(id)) commands_.SetIcon(id, warning);
    marked_ = std::move(now);
}

void CProblemsDock::OpenEntry(int row) {
    if (row < 0 || row >= static_cast<int>(problems_.size())) return;
    // A copy: the sheet's OK finds the problems anew.
    const chip::Problem p = problems_[static_cast<std::size_t>(row)];
    commands_.RunAtPage(p.CommandId, p.Page);
}

bool CProblemsDock::FixEntry(int row) {
    CDeviceDocument* device = doc_ ? doc_->DeviceDocument() : nullptr;
    if (!device || row < 0 || row >= static_cast<int>(problems_.size())) return false;
    const chip::Problem p = problems_[static_cast<std::size_t>(row)];
    if (!p.Fixable()) return false;
    // One step: the document says it changed, the code window and this list follow.
    DocumentStep step(*device, "Quick Fix");
    chip::ApplyFix(*device, p);
    step.Confirm();
    return true;
}
