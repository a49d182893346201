#include "pages/portio/CPinPlannerDlg.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

#include "chip/PinList.h"
#include "chip/Project.h"
#include "model/DeviceDocument.h"
#include "model/FileIo.h"

using namespace pinplanner;

CSignalTable::CSignalTable(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

bool CSignalTable::Drop(const QPoint& pos, const QMimeData& mime) {
    const int pin = PinAt(pos);
    bool ok = false;
    const int signal = mime.data(kSignalMimeType).toInt(&ok);
    if (pin < 0 || !ok || !OnDrop) return false;
    OnDrop(signal, pin);
    return true;
}

QStringList CSignalTable::mimeTypes() const {
    return {kSignalMimeType};
}

QMimeData* CSignalTable::mimeData(const QList<QTableWidgetItem*>& items) const {
    for (const QTableWidgetItem* item : items) {
        const QVariant signal = item->data(Qt::UserRole);
        if (!signal.isValid() || signal.toInt() < 0) continue;
        auto* mime = new QMimeData;
        mime->setData(kSignalMimeType, QByteArray::number(signal.toInt()));
        return mime;
    }
    return nullptr;
}

void CSignalTable::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasFormat(kSignalMimeType)) e->acceptProposedAction();
}

void CSignalTable::dragMoveEvent(QDragMoveEvent* e) {
    if (PinAt(e->position().toPoint()) >= 0)
        e->acceptProposedAction();
    else
        e->ignore();
}

void CSignalTable::dropEvent(QDropEvent* e) {
    if (Drop(e->position().toPoint(), *e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

int CSignalTable::PinAt(const QPoint& pos) const {
    const QTableWidgetItem* item = itemAt(pos);
    const QVariant pin = item ? item->data(Qt::UserRole + 1) : QVariant();
    return pin.isValid() ? pin.toInt() : -1;
}

namespace {

enum SignalColumn { kNameColumn, kPinColumn, kLandsColumn, kNoteColumn, kSignalColumns };

const QColor kWanted(234, 0, 0);
const QColor kRouted(250, 210, 210);
const QColor kSkipped(64, 128, 128);
const QColor kAdded(255, 190, 60);
const QColor kAbsent(225, 225, 225);

// A colour square and what it means.
QWidget* Swatch(const QColor& colour, const char* text, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    QPixmap square(14, 14);
    square.fill(colour);
    auto* icon = new QLabel(box);
    icon->setPixmap(square);
    row->addWidget(icon);
    row->addWidget(new QLabel(QString::fromLatin1(text), box), 1);
    return box;
}

std::string Joined(const std::vector<int>& pins) {
    std::string text;
    for (int p : pins)
        text += (text.empty() ? "" : ", ") + portio::PinName(p);
    return text;
}

}  // namespace

CPinPlannerDlg::CPinPlannerDlg(CDeviceDocument& doc, std::string csvName)
    : doc_(doc), csvName_(std::move(csvName)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    Reload();
    const portio::CCrossbar xbar(large_, spi_);

    auto* hint = new QLabel(
        QStringLiteral("Drag a signal onto the pin the board needs, or choose its pin in the "
                       "list. The skips that put it there are worked out at once; nothing "
                       "changes in the project until Apply."),
        this);
    hint->setWordWrap(true);

    // The pins: one row per port, one column per bit.
    grid_ = new CSignalTable(4, 8, this);
    for (int bit = 0; bit < 8; ++bit)
        grid_->setHorizontalHeaderItem(bit, new QTableWidgetItem(QString::number(bit)));
    for (int port = 0; port < 4; ++port)
        grid_->setVerticalHeaderItem(port, new QTableWidgetItem(QStringLiteral("P%1").arg(port)));
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setDefaultSectionSize(68);
    grid_->verticalHeader()->setDefaultSectionSize(44);
    for (int pin = 0; pin < portio::kMaxPinCount; ++pin) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        if (pin < xbar.PinCount()) item->setData(Qt::UserRole + 1, pin);
        grid_->setItem(portio::PinPort(pin), portio::PinBit(pin), item);
    }
    int gridWidth = grid_->verticalHeader()->sizeHint().width() + 2 * grid_->frameWidth();
    for (int bit = 0; bit < 8; ++bit)
        gridWidth += grid_->columnWidth(bit);
    grid_->setFixedSize(gridWidth, grid_->horizontalHeader()->sizeHint().height() + 4 * 44 +
                                       2 * grid_->frameWidth());
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->OnDrop = [this](int signal, int pin) { Want(signal, pin); };
    Register(kIdGrid, grid_, ControlKind::Table);

    // The signals, each with the pin it should have and where it lands.
    const auto& list = xbar.SignalList();
    signals_ = new CSignalTable(static_cast<int>(list.size()), kSignalColumns, this);
    signals_->setHorizontalHeaderLabels({QStringLiteral("Signal"), QStringLiteral("Wanted on"),
                                         QStringLiteral("Lands on"), QStringLiteral("Note")});
    signals_->verticalHeader()->hide();
    signals_->verticalHeader()->setDefaultSectionSize(26);
    signals_->setDragDropMode(QAbstractItemView::DragOnly);
    for (const auto& e : list) {
        auto* name = new QTableWidgetItem(ToQt(e.GridName));
        name->setData(Qt::UserRole, e.LowestPin == portio::kNotRouted ? -1 : e.GridRow);
        name->setToolTip(QStringLiteral("Drag onto a pin"));
        signals_->setItem(e.GridRow, kNameColumn, name);
        for (int c = kLandsColumn; c < kSignalColumns; ++c)
            signals_->setItem(e.GridRow, c, new QTableWidgetItem);
        auto* pins = new QComboBox(signals_);
        std::vector<std::string> items{kAnyPin};
        if (e.LowestPin != portio::kNotRouted)
            for (int p = e.LowestPin; p <= std::min(e.HighestPin, xbar.PinCount() - 1); ++p)
                items.push_back(portio::PinName(p));
        signals_->setCellWidget(e.GridRow, kPinColumn, pins);
        Register(kFirstPinListId + e.GridRow, pins, ControlKind::List);
        SetItems(kFirstPinListId + e.GridRow, items);
        Enable(kFirstPinListId + e.GridRow, e.LowestPin != portio::kNotRouted);
    }
    signals_->setColumnWidth(kNameColumn, 70);
    signals_->setColumnWidth(kPinColumn, 80);
    signals_->setColumnWidth(kLandsColumn, 100);
    signals_->horizontalHeader()->setStretchLastSection(true);
    signals_->setMinimumWidth(480);
    Register(kIdSignals, signals_, ControlKind::Table);

    auto* status = new QLabel(this);
    status->setWordWrap(true);
    status->setMinimumHeight(3 * status->fontMetrics().height());
    status->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Register(kIdStatus, status, ControlKind::Label);

    auto* legend = new QGridLayout;
    legend->addWidget(Swatch(kWanted, "Wanted signal", this), 0, 0);
    legend->addWidget(Swatch(kRouted, "Other routed signal", this), 0, 1);
    legend->addWidget(Swatch(kSkipped, "Skipped", this), 1, 0);
    legend->addWidget(Swatch(kAdded, "Skipped on Apply", this), 1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(grid_);
    left->addLayout(legend);
    left->addWidget(status);
    left->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(signals_, 1);

    auto* buttons = new QHBoxLayout;
    const std::pair<int, const char*> kButtons[] = {{kIdClear, "Clear Wishes"},
                                                    {kIdExport, "Export Pin List..."}};
    for (const auto& [id, caption] : kButtons) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        Register(id, b, ControlKind::Button);
    }
    buttons->addStretch(1);
    for (const auto& [id, caption] :
         {std::pair<int, const char*>{kIdApply, "Apply"}, {kIdClose, "Close"}}) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        Register(id, b, ControlKind::Button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(gridWidth + 560, 640);
    Solve();
}

CPinPlannerDlg::~CPinPlannerDlg() = default;

void CPinPlannerDlg::Reload() {
    const chip::Project project(doc_);
    large_ = project.LargePackage();
    port_ = project.Record(Pid::PortIO);
    spi_ = project.Record(Pid::Spi);
}

void CPinPlannerDlg::Want(int signal, int pin) {
    std::erase_if(wishes_, [&](const portio::PinWish& w) {
        return w.Signal == signal || (pin >= 0 && w.Pin == pin);
    });
    if (pin >= 0) wishes_.push_back({signal, pin});
    Solve();
}

void CPinPlannerDlg::Solve() {
    plan_ = portio::SolvePins(port_, large_, spi_, wishes_);
    Refresh();
}

const PeripheralRecord& CPinPlannerDlg::Shown() const {
    return plan_.Solved() ? plan_.PortIo : port_;
}

void CPinPlannerDlg::Refresh() {
    portio::CCrossbar xbar(large_, spi_);
    const auto& list = xbar.SignalList();
    std::map<int, int> before;  // signal -> pin in the project as it stands
    for (const auto& cell : xbar.DecodeCrossbar(port_).AssignedCells)
        before[cell.GridRow] = cell.Pin;
    const auto& decode = xbar.DecodeCrossbar(Shown());
    std::vector<int> onPin(portio::kMaxPinCount, -1);
    std::map<int, int> after;
    for (const auto& cell : decode.AssignedCells) {
        onPin[static_cast<std::size_t>(cell.Pin)] = cell.GridRow;
        after[cell.GridRow] = cell.Pin;
    }
    auto wanted = [&](int signal) {
        return std::any_of(wishes_.begin(), wishes_.end(),
                           [&](const portio::PinWish& w) { return w.Signal == signal; });
    };
    const std::vector<int>& added = plan_.Solved() ? plan_.AddedSkips : std::vector<int>{};

    // The grid, and the same as text for scripts and tests.
    std::string shown;
    for (int pin = 0; pin < portio::kMaxPinCount; ++pin) {
        QTableWidgetItem* item = grid_->item(portio::PinPort(pin), portio::PinBit(pin));
        const int signal = onPin[static_cast<std::size_t>(pin)];
        const bool skipped = std::find(decode.SkippedPins.begin(), decode.SkippedPins.end(), pin) !=
                             decode.SkippedPins.end();
        const bool isNew = std::find(added.begin(), added.end(), pin) != added.end();
        std::string what = "-";
        QColor colour = Qt::white, text = Qt::black;
        if (pin >= xbar.PinCount()) {
            colour = kAbsent;
            what.clear();
        } else if (signal >= 0) {
            what = list[static_cast<std::size_t>(signal)].GridName;
            colour = wanted(signal) ? kWanted : kRouted;
            text = wanted(signal) ? Qt::white : Qt::black;
        } else if (skipped) {
            what = isNew ? "Skip (new)" : "Skipped";
            colour = isNew ? kAdded : kSkipped;
            text = isNew ? Qt::black : Qt::white;
        }
        item->setData(Qt::UserRole, signal);
        item->setFlags(signal >= 0
                           ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
                           : Qt::ItemIsEnabled);
        item->setText(what == "-" ? QString() : ToQt(what));
        item->setBackground(colour);
        item->setForeground(text);
        QFont font = item->font();
        font.setBold(signal >= 0 && wanted(signal));
        item->setFont(font);
        if (pin < xbar.PinCount()) {
            item->setToolTip(ToQt(portio::PinName(pin) + (what == "-" ? "" : ": " + what)));
            shown += portio::PinName(pin) + " " + what + "\n";
        }
    }
    grid_->setProperty("zvText", ToQt(shown));
    grid_->clearSelection();

    // The signals: the wanted pin, where each lands (and where it was), and
    // the reason a wish fails in its own row.
    for (const auto& e : list) {
        const int row = e.GridRow;
        int wish = -1;
        for (const auto& w : wishes_)
            if (w.Signal == row) wish = w.Pin;
        const int id = kFirstPinListId + row;
        const auto* pins = static_cast<QComboBox*>(Control(id));
        Select(id, std::max(0, pins->findText(wish < 0 ? kAnyPin : ToQt(portio::PinName(wish)))));

        std::string lands;
        if (e.LowestPin == portio::kNotRouted)
            lands = "no pin (three-wire)";
        else if (!portio::IsEntryOn(Shown(), e))
            lands = "not routed";
        else if (!after.count(row))
            lands = "no pin";
        else {
            lands = portio::PinName(after[row]);
            if (before.count(row) && before[row] != after[row])
                lands = portio::PinName(before[row]) + " -> " + lands;
            else if (!before.count(row))
                lands += " (new)";
        }
        signals_->item(row, kLandsColumn)->setText(ToQt(lands));
        const bool refused = plan_.Refusal && plan_.Refusal->Signal == e.GridName;
        QTableWidgetItem* note = signals_->item(row, kNoteColumn);
        note->setText(refused ? ToQt(plan_.Refusal->Reason) : QString());
        note->setToolTip(note->text());
        note->setIcon(refused ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
        note->setForeground(refused ? QColor(180, 0, 0) : QColor(Qt::black));
    }

    // What Apply would do, or why it cannot.
    std::string status;
    const bool changes = plan_.Solved() && !(plan_.PortIo == port_);
    if (plan_.Refusal)
        status = "Cannot place " + plan_.Refusal->Text() + ".";
    else if (wishes_.empty())
        status = "No pin is wanted yet.";
    else if (!changes)
        status = "Every wanted signal is on its pin already.";
    else if (added.empty())
        status = "Apply routes the wanted signals and adds no skip.";
    else
        status = "Apply adds " + std::to_string(added.size()) +
                 (added.size() == 1 ? " skip: " : " skips: ") + Joined(added) + ".";
    SetText(kIdStatus, status);
    Control(kIdStatus)->setStyleSheet(plan_.Refusal ? QStringLiteral("color: #b40000;")
                                                    : QString());
    Enable(kIdApply, changes);
    Enable(kIdClear, !wishes_.empty());
}

void CPinPlannerDlg::OnSelChange(int id) {
    if (id < kFirstPinListId || id >= kFirstPinListId + portio::kMaxPinCount) return;
    const std::string choice = Text(id);
    Want(id - kFirstPinListId, choice == kAnyPin ? -1 : portio::PinByName(choice).value_or(-1));
}

void CPinPlannerDlg::OnCommand(int id) {
    switch (id) {
        case kIdClear:
            wishes_.clear();
            Solve();
            break;
        case kIdExport:
            ExportPinList();
            break;
        case kIdApply:
            Apply();
            break;
        case kIdClose:
            done(QDialog::Accepted);
            break;
        default:
            break;
    }
}

void CPinPlannerDlg::Apply() {
    if (!plan_.Solved()) return;
    {
        DocumentStep step(doc_, kCaption);
        doc_.SetPeripheral(plan_.PortIo, Pid::PortIO);
        step.Confirm();
    }
    Reload();
    Solve();
}

void CPinPlannerDlg::ExportPinList() {
    FileDialogRequest request;
    request.Title = kExportTitle;
    request.DefaultExtension = "csv";
    request.InitialName = csvName_;
    request.Filter = "Pin List (*.csv)|*.csv|All Files (*.*)|*.*|";
    const auto path = TheUi().SaveFileName(request);
    if (!path) return;
    const std::string csv = portio::PinListCsv(portio::PinListOf(Shown(), large_, spi_));
    if (!fileio::WriteFileSafely(*path, csv).empty()) TheUi().Error(kSaveError);
}
