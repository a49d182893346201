#include "pages/common/CDeviceDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "pages/common/CPropPage.h"

namespace {

QWidget* OwnerWindow() {
    // Sheets belong to the main window when there is one on screen.
    QWidget* w = QApplication::activeWindow();
    return w;
}

QPushButton* SheetButton(const QString& text, int id, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setProperty("zvId", id);
    b->setProperty("zvKind", static_cast<int>(ControlKind::Button));
    b->setObjectName(QString("ctl%1").arg(id));
    return b;
}

}  // namespace

CDeviceDlg::CDeviceDlg(const std::string& caption, QWidget* parent)
    : CModalDialog(parent ? parent : OwnerWindow()) {
    setWindowTitle(CNumberedControls::ToQt(caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = SheetButton("OK", kIdOk, this);
    auto* cancel = SheetButton("Cancel", kIdCancel, this);
    auto* reset = SheetButton("Reset", kIdReset, this);
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    reset->setAutoDefault(false);
    // Reset has the size of Cancel and stands at the right edge.
    reset->setFixedSize(cancel->sizeHint());
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(reset);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CDeviceDlg::PressOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(reset, &QPushButton::clicked, this, &CDeviceDlg::PressReset);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (initialised_ && index >= 0) pages_[static_cast<std::size_t>(index)]->OnSetActive();
    });
}

CDeviceDlg::~CDeviceDlg() = default;

void CDeviceDlg::AddPage(std::unique_ptr<CPropPage> page) {
    pages_.push_back(page.get());
    const QString caption = CNumberedControls::ToQt(page->Caption());
    tabs_->addTab(page.release(), caption);
}

int CDeviceDlg::PageCount() const { return static_cast<int>(pages_.size()); }

CPropPage* CDeviceDlg::Page(int index) const {
    return index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

CPropPage* CDeviceDlg::ActivePage() const { return Page(tabs_->currentIndex()); }

int CDeviceDlg::ActiveIndex() const { return tabs_->currentIndex(); }

void CDeviceDlg::SetActivePage(int index) {
    if (index == tabs_->currentIndex()) {
        if (auto* page = Page(index)) page->OnSetActive();
        return;
    }
    tabs_->setCurrentIndex(index);
}

bool CDeviceDlg::Run(int startPage) {
    // Every page exists from the start, so each one's OnInitDialog runs.
    for (CPropPage* page : pages_) page->OnInitDialog();
    initialised_ = true;
    tabs_->setCurrentIndex(0);
    if (CPropPage* first = Page(0)) first->OnSetActive();
    if (startPage > 0 && startPage < PageCount()) tabs_->setCurrentIndex(startPage);
    return RunModal();
}

void CDeviceDlg::PressOk() {
    for (CPropPage* page : pages_) page->OnOK();
    accept();
}

void CDeviceDlg::PressReset() {
    if (CPropPage* page = ActivePage()) page->OnReset();
}
