#pragma once
// The clock tree of one project, drawn: the Qt-free clock model laid out by
// chip::LayoutClockTree and painted box by box, scaled to fit the widget.
// The same layout is what `zorvant clocks --svg` writes. A click on a box
// reports the node, so the code window can open the sheet that sets it.

#include <QWidget>

#include <memory>
#include <string>

#include "chip/ClockLayout.h"
#include "chip/ClockTree.h"

class CDeviceDocument;
class QFont;
class QImage;
class QPainter;

class CClockTreeWidget : public QWidget {
    Q_OBJECT
public:
    // Never drawn smaller than this share of its size: a smaller window
    // scrolls the drawing rather than shrinking its print below reading size.
    static constexpr double kMinScale = 0.9;
    explicit CClockTreeWidget(QWidget* parent = nullptr);
    ~CClockTreeWidget() override;

    // Computes the tree of `doc` anew and repaints (once, at the next paint).
    void ShowProject(const CDeviceDocument& doc);

    const chip::ClockTree* Tree() const { return tree_.get(); }
    const chip::ClockLayout& Layout() const { return layout_; }

    // The node under a point of the widget; empty for none.
    std::string NodeAt(const QPointF& position) const;
    // Where a node's box is in the widget (an empty rectangle for none).
    QRectF BoxRect(const std::string& node) const;

    // The face the drawing uses at `pixels` high.
    static QFont TextFont(double pixels, bool bold = false);
    // Paints a layout at scale 1 with its top left corner at the origin.
    static void Paint(QPainter& painter, const chip::ClockLayout& layout);
    // The whole drawing as an image, `scale` pixels per layout unit.
    QImage Render(double scale = 1) const;

signals:
    void nodeClicked(const QString& node);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    // The drawing's scale and offset in the widget.
    double Scale() const;
    QPointF Offset() const;

    std::unique_ptr<chip::ClockTree> tree_;
    chip::ClockLayout layout_;
};
