#include "host/CNewProjectDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CNewProjectDlg::CNewProjectDlg(const std::vector<std::string>& names, QWidget* parent)
    : CModalDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("New"));
    auto* layout = new QVBoxLayout(this);
    // The label's "&" marks its mnemonic, which moves to the list.
    auto* label = new QLabel(QStringLiteral("&New"), this);
    label->setBuddy(list_);
    layout->addWidget(label);
    for (const auto& name : names)
        list_->addItem(QString::fromLatin1(name.c_str()));
    if (list_->count() > 0) list_->setCurrentRow(0);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

std::string CNewProjectDlg::SelectedName() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->text().toLatin1().toStdString() : std::string();
}

bool CNewProjectDlg::Select(const std::string& name) {
    const auto found = list_->findItems(QString::fromLatin1(name.c_str()), Qt::MatchExactly);
    if (found.isEmpty()) return false;
    list_->setCurrentItem(found.first());
    return true;
}
