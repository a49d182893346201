#include "view/CClockTreeWidget.h"

#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>

#include "chip/Project.h"
#include "model/DeviceDocument.h"

namespace {

QColor Colour(const char* hex) {
    return QColor(QLatin1String(hex));
}

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

QFont CClockTreeWidget::TextFont(double pixels, bool bold) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(bold);
    return font;
}

CClockTreeWidget::CClockTreeWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

CClockTreeWidget::~CClockTreeWidget() = default;

void CClockTreeWidget::ShowProject(const CDeviceDocument& doc) {
    tree_ = std::make_unique<chip::ClockTree>(chip::Project(doc));
    layout_ = chip::LayoutClockTree(*tree_);
    updateGeometry();
    update();
}

QSize CClockTreeWidget::sizeHint() const {
    return {static_cast<int>(layout_.width), static_cast<int>(layout_.height)};
}

QSize CClockTreeWidget::minimumSizeHint() const {
    return sizeHint() * kMinScale;
}

double CClockTreeWidget::Scale() const {
    if (layout_.width <= 0 || layout_.height <= 0) return 1;
    // Fit the window, but never blow the drawing up beyond half again its size.
    return std::min({width() / layout_.width, height() / layout_.height, 1.5});
}

QPointF CClockTreeWidget::Offset() const {
    const double s = Scale();
    return {std::max(0.0, (width() - layout_.width * s) / 2), 0};
}

std::string CClockTreeWidget::NodeAt(const QPointF& position) const {
    const double s = Scale();
    const QPointF p = (position - Offset()) / s;
    const chip::LayoutBox* box = layout_.BoxAt(p.x(), p.y());
    return box ? box->node : std::string();
}

QRectF CClockTreeWidget::BoxRect(const std::string& node) const {
    const chip::LayoutBox* box = layout_.Box(node);
    if (!box) return {};
    const double s = Scale();
    return {Offset() + QPointF(box->x, box->y) * s, QSizeF(box->w, box->h) * s};
}

void CClockTreeWidget::Paint(QPainter& painter, const chip::ClockLayout& layout) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont label = TextFont(chip::kClockLabelSize);
    for (const chip::LayoutEdge& e : layout.edges) {
        const QColor ink = Colour(e.dimmed ? chip::kClockDimInk : chip::kClockEdge);
        QPainterPath path;
        path.moveTo(e.points.front().x, e.points.front().y);
        for (std::size_t i = 1; i < e.points.size(); ++i)
            path.lineTo(e.points[i].x, e.points[i].y);
        painter.setPen(QPen(ink, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        if (e.label.empty()) continue;
        painter.setFont(label);
        const QString text = Latin1(e.label);
        const double w = painter.fontMetrics().horizontalAdvance(text);
        painter.drawText(QPointF(e.labelX - w, e.labelY), text);
    }
    const QFont title = TextFont(chip::kClockTitleSize, true);
    const QFont value = TextFont(chip::kClockTextSize);
    for (const chip::LayoutBox& b : layout.boxes) {
        const QColor ink = Colour(b.dimmed ? chip::kClockDimInk : chip::kClockInk);
        const QColor frame = Colour(b.warning  ? chip::kClockWarning
                                    : b.dimmed ? chip::kClockDimInk
                                               : chip::kClockFrame);
        painter.setPen(QPen(frame, b.warning ? 2 : 1));
        painter.setBrush(Colour(b.dimmed ? chip::kClockDimFill : chip::kClockBoxFill));
        painter.drawRoundedRect(QRectF(b.x, b.y, b.w, b.h), 4, 4);
        const double x = b.x + chip::kClockPad;
        painter.setPen(ink);
        painter.setFont(title);
        painter.drawText(QPointF(x, b.y + chip::kClockTitleBaseline), Latin1(b.title));
        painter.setPen(b.warning ? Colour(chip::kClockWarning) : ink);
        painter.setFont(value);
        painter.drawText(QPointF(x, b.y + chip::kClockValueBaseline), Latin1(b.value));
        painter.setPen(ink);
        painter.setFont(label);
        painter.drawText(QPointF(x, b.y + chip::kClockDetailBaseline), Latin1(b.detail));
    }
}

QImage CClockTreeWidget::Render(double scale) const {
    QImage image(QSize(static_cast<int>(layout_.width * scale + 0.5),
                       static_cast<int>(layout_.height * scale + 0.5)),
                 QImage::Format_RGB32);
    image.fill(Colour(chip::kClockBackground));
    QPainter painter(&image);
    painter.scale(scale, scale);
    Paint(painter, layout_);
    return image;
}

void CClockTreeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Colour(chip::kClockBackground));
    painter.translate(Offset());
    const double s = Scale();
    painter.scale(s, s);
    Paint(painter, layout_);
}

void CClockTreeWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const std::string node = NodeAt(event->position());
    if (!node.empty()) emit nodeClicked(QString::fromStdString(node));
}

void CClockTreeWidget::mouseMoveEvent(QMouseEvent* event) {
    setCursor(NodeAt(event->position()).empty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    QWidget::mouseMoveEvent(event);
}

bool CClockTreeWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && tree_) {
        auto* help = static_cast<QHelpEvent*>(event);
        const chip::ClockNode* n = tree_->Find(NodeAt(help->pos()));
        if (!n) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        QString tip = Latin1(n->title) + QStringLiteral(": ") + Latin1(n->text);
        if (n->text != "-") tip += QLatin1Char(' ') + Latin1(n->unit);
        if (!n->inUse) tip += QStringLiteral(" (not in use)");
        tip +=
            QStringLiteral("\nClick to open the \"") + Latin1(n->page) + QStringLiteral("\" page");
        QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}
