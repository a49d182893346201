#include "pages/analog/InputMarks.h"

#include <QBrush>
#include <QColor>
#include <QComboBox>
#include <QIcon>
#include <QPixmap>
#include <QStyle>

void MarkInputItems(QComboBox* box, const std::vector<analog::PinState>& states) {
    if (!box) return;
    static const QColor kMisconfigured(176, 0, 0);
    const QIcon warning = box->style()->standardIcon(QStyle::SP_MessageBoxWarning);
    // Properly configured items get a blank icon, so that all names line up.
    const int side = box->style()->pixelMetric(QStyle::PM_SmallIconSize);
    QPixmap blankPixmap(side, side);
    blankPixmap.fill(Qt::transparent);
    const QIcon blank(blankPixmap);
    for (int i = 0; i < box->count() && i < static_cast<int>(states.size()); ++i) {
        const analog::PinState state = states[static_cast<std::size_t>(i)];
        const bool bad = !analog::IsConfiguredProperly(state);
        box->setItemIcon(i, bad ? warning : blank);
        box->setItemData(i, bad ? QVariant(QBrush(kMisconfigured)) : QVariant(),
                         Qt::ForegroundRole);
        box->setItemData(
            i, bad ? QVariant(QString::fromStdString(analog::PinStatusText(state))) : QVariant(),
            Qt::ToolTipRole);
    }
}

bool IsInputItemMarked(const QComboBox* box, int index) {
    return box && index >= 0 && index < box->count() &&
           box->itemData(index, Qt::ForegroundRole).isValid();
}
