#include "ColorWheel.h"

#include "Color4.h"
#include "ColorWheelGeometry_p.h"

#include <QConicalGradient>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>

namespace Quill {
namespace UI {

namespace G = ColorWheelGeometry;

namespace {

constexpr float kTwoPi = 6.28318530717958647692f;
const QColor kOverColour(255, 51, 51);     // above the gamut: saturation or value over 1
const QColor kDarkColour(102, 178, 255);   // value under 0.1

bool Finite(float a, float b = 0.0f, float c = 0.0f)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

// The resolution painting really lands on: the backing store's, or that of the
// image a render() is redirected to.
qreal DevicePixelRatio(QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    const QPaintDevice* device = engine && engine->paintDevice() ? engine->paintDevice() : painter.device();
    return device ? device->devicePixelRatioF() : 1.0;
}

QImage NewImage(QSize size, qreal dpr)
{
    QImage image(int(std::ceil(size.width() * dpr)), int(std::ceil(size.height() * dpr)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

// y up from the widget's bottom edge, as the geometry.
void FlipY(QPainter& painter, int height)
{
    painter.translate(0, height);
    painter.scale(1, -1);
}

QPainterPath Annulus(QPointF centre, qreal inner, qreal outer)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addEllipse(centre, outer, outer);
    path.addEllipse(centre, inner, inner);
    return path;
}

// A triangle with its vertices 7.5 px from `at`, one pointing along angle a + pi.
void Pointer(QPainter& painter, QPointF at, float a, const QColor& fill)
{
    QPointF points[3];
    for (int k = 0; k < 3; ++k) {
        const float b = a - float(M_PI) + float(k) * kTwoPi / 3.0f;
        points[k] = at + QPointF(7.5 * std::cos(b), 7.5 * std::sin(b));
    }
    painter.setPen(Qt::black);
    painter.setBrush(fill);
    painter.drawPolygon(points, 3);
}

QColor MarkerColour(float value)
{
    const float v = std::fabs(value);
    return v > 1.0f ? kOverColour : v < 0.1f ? kDarkColour : QColor(Qt::white);
}

} // namespace

bool ColorWheel::LayerKey::operator==(const LayerKey& o) const
{
    return size == o.size && dpr == o.dpr && zoom == o.zoom && panX == o.panX && panY == o.panY
           && rotation == o.rotation && shade == o.shade && mode == o.mode && band == o.band
           && window == o.window;
}

ColorWheel::ColorWheel(Colour::TransformI* transform)
    : QWidget(nullptr), ColorControlWidget(this)
{
    init(transform, kWheel);
}

ColorWheel::ColorWheel(Colour::TransformI* transform, const DisplayMode& mode)
    : QWidget(nullptr), ColorControlWidget(this)
{
    init(transform, mode);
}

ColorWheel::~ColorWheel()
{
    deregisterWithControl();
}

void ColorWheel::init(Colour::TransformI* transform, DisplayMode mode)
{
    m_transform = transform;
    m_displayMode = mode;
    if (mode == kEmbedded) {
        m_zoomEnabled = false;
        m_interactionMode = kRelativeInteraction;
        m_size = 89;
        setFixedSize(89, 89);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    } else {
        m_zoomEnabled = true;
        m_interactionMode = kAbsoluteInteraction;
        m_size = 200;
    }
    setFocusPolicy(Qt::WheelFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

// --- state ----------------------------------------------------------------------

void ColorWheel::setHue(float hue)
{
    if (!Finite(hue))
        return;
    m_hue = G::WrapHue(hue);
    update();
}

void ColorWheel::setSaturation(float saturation)
{
    if (!Finite(saturation))
        return;
    m_saturation = saturation;
    update();
}

void ColorWheel::setValue(float value)
{
    if (!Finite(value))
        return;
    m_value = value;
    update();
}

void ColorWheel::setHSV(float hue, float saturation, float value)
{
    if (!Finite(hue, saturation, value))
        return;
    m_hue = hue;
    m_saturation = saturation;
    m_value = value;
    update();
}

void ColorWheel::setHSVSlot(float hue, float saturation, float value)
{
    setHSV(hue, saturation, value);
}

bool ColorWheel::getHSV(float& hue, float& saturation, float& value) const
{
    hue = m_hue;
    saturation = m_saturation;
    value = m_value;
    return m_value == 0.0f;
}

float ColorWheel::getClampedHue() const
{
    return G::WrapHue(m_hue);
}

void ColorWheel::setRingValue(float value)
{
    if (!Finite(value))
        return;
    m_ringValue = value;
    update();
}

void ColorWheel::setZoomEnabled(bool enabled)
{
    m_zoomEnabled = enabled;
    update();
}

void ColorWheel::setDisplayMode(DisplayMode mode)
{
    if (mode == m_displayMode)
        return;
    m_displayMode = mode;
    update();
}

void ColorWheel::setInteractionScale(float scale)
{
    if (Finite(scale))
        m_interactionScale = scale;
}

void ColorWheel::setHueRotation(float radians)
{
    if (Finite(radians))
        m_hueRotation = radians;
}

QSize ColorWheel::sizeHint() const
{
    return QSize(m_size, m_size);
}

void ColorWheel::updateFromControl()
{
    float h, s, v;
    getColorFromControl().getHSV(&h, &s, &v);
    if (!Finite(h, s, v))
        return;
    if (v == 0.0f) {
        m_value = 0.0f;   // black: keep the hue and saturation the user had
    } else {
        if (s != 0.0f)
            m_hue = h;    // a grey keeps the wheel's hue
        m_saturation = s;
        m_value = v;
    }
    update();
}

bool ColorWheel::isAbsoluteMode() const
{
    return m_interactionMode == kAbsoluteInteraction || (m_dragMode & G::kDragAbsolute);
}

void ColorWheel::getMeasurements(float& base, float& centreX, float& centreY, float& radius,
                                 float& innerRadius) const
{
    const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
    base = float(std::min(width(), height()) - 2);
    centreX = g.cx;
    centreY = g.cy;
    radius = g.radius;
    innerRadius = g.inner;
}

// --- zoom -----------------------------------------------------------------------

void ColorWheel::applyZoom(float zoom, QPointF pixel, QPointF disc)
{
    if (!m_zoomEnabled || std::isnan(zoom))
        return;
    zoom = std::min(std::max(zoom, G::kMinZoom), G::kMaxZoom);
    if (zoom == m_zoom) {
        if (zoom == G::kMinZoom && (m_panX != 0.0f || m_panY != 0.0f)) {
            m_panX = m_panY = 0.0f;
            update();
        }
        return;
    }
    m_zoom = zoom;
    const G::Geometry g = G::Compute(width(), height(), zoom, 0.0f, 0.0f, m_displayMode);
    if (g.valid()) {
        const QPointF pan = G::PanKeeping(pixel, disc, g.inner);
        m_panX = float(pan.x());
        m_panY = float(pan.y());
    }
    update();
}

void ColorWheel::zoom(float factor, float focusX, float focusY)
{
    const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
    if (!g.valid() || !Finite(focusX, focusY))
        return;
    // The focus in widget pixels from the middle, and in inner radii on the disc.
    const QPointF focus(focusX * g.radius, focusY * g.radius);
    applyZoom(factor, QPointF(m_panX * g.inner, m_panY * g.inner) + focus, focus / g.inner);
}

void ColorWheel::box_zoom(float x0, float y0, float x1, float y1)
{
    const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
    if (!m_zoomEnabled || !g.valid() || !Finite(x0, y0) || !Finite(x1, y1))
        return;
    const float diameter = m_zoom * float(std::min(width(), height()) - 2);
    const float factor = G::BoxZoomFactor(diameter, g.width, g.height, std::fabs(x1 - x0), std::fabs(y1 - y0));
    const QPointF boxCentre((x0 + x1) * 0.5 / g.inner, (y0 + y1) * 0.5 / g.inner);
    // The box's centre goes to the middle of the widget.
    m_panX = m_panY = 0.0f;
    m_zoom = std::min(std::max(factor, G::kMinZoom), G::kMaxZoom);
    const G::Geometry g1 = G::Compute(width(), height(), m_zoom, 0.0f, 0.0f, m_displayMode);
    const QPointF pan = G::PanKeeping(QPointF(0, 0), boxCentre, g1.inner);
    m_panX = float(pan.x());
    m_panY = float(pan.y());
    update();
}

// --- mouse ----------------------------------------------------------------------

unsigned int ColorWheel::getDragMode(unsigned int forced, QMouseEvent* event, bool outside)
{
    return G::DragMode(forced, event->button(), event->modifiers(), outside, m_zoomEnabled, m_displayMode);
}

void ColorWheel::mousePressEvent(QMouseEvent* event)
{
    const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
    if (!g.valid())
        return;
    const QPointF p = g.fromWidget(event->localPos());
    m_pointerX = float(p.x());
    m_pointerY = float(p.y());
    m_pressX = float(event->localPos().x());
    m_pressY = float(event->localPos().y());
    m_zoomAtPress = m_zoom;
    m_radiusAtPress = g.radius;
    m_hueAtPress = m_hue;
    m_saturationAtPress = m_saturation;
    m_valueAtPress = m_value;
    m_anchorX = m_pointerX;
    m_anchorY = m_pointerY;
    m_zoomPixel = QPointF(m_pressX - g.width * 0.5, (g.height - m_pressY) - g.height * 0.5);
    m_zoomDisc = p / g.inner;

    if (m_displayMode == kRingAndSquare) {
        m_dragMode = G::RingAndSquareDragMode(m_pointerX, m_pointerY, g.radius, g.inner, m_dragMode);
    } else {
        const bool outside = std::hypot(p.x(), p.y()) / g.inner > 1.01;
        m_dragMode = getDragMode(0, event, outside);
        if (m_interactionMode == kRelativeInteraction && !(m_dragMode & G::kDragAbsolute)
            && (m_dragMode & (G::kDragHue | G::kDragSaturation))) {
            // Relative drags move the marker from where it is, computed now rather
            // than remembered from a paint that may not have happened yet.
            const QPointF marker = G::MarkerAt(m_hue, m_saturation, g.inner, m_hueRotation);
            m_anchorX = g.cx + float(marker.x());
            m_anchorY = g.cy + float(marker.y());
        }
        if (m_dragMode == G::kDragPan)
            setCursor(Qt::SizeAllCursor);
        else if (m_dragMode == (G::kDragHue | G::kDragSaturation))
            setCursor(Qt::ArrowCursor);
    }
    if (m_dragMode != 0)
        emit startDragSignal();
    mouseMoveEvent(event);
    update();
}

void ColorWheel::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragMode == 0)
        return;
    const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
    if (!g.valid())
        return;
    const QPointF pos = event->localPos();
    float x, y;
    if (isAbsoluteMode() || !(m_dragMode & (G::kDragHue | G::kDragSaturation))) {
        const QPointF p = g.fromWidget(pos);
        x = float(p.x());
        y = float(p.y());
    } else {
        x = (float(pos.x()) - m_pressX) * m_interactionScale + m_anchorX - g.cx;
        y = m_anchorY - (float(pos.y()) - m_pressY) * m_interactionScale - g.cy;
    }
    m_pointerX = x;
    m_pointerY = y;

    if (m_displayMode != kRingAndSquare) {
        if (m_dragMode & (G::kDragHue | G::kDragSaturation | G::kDragValue)) {
            const G::Hsv press{m_hueAtPress, m_saturationAtPress, m_valueAtPress};
            G::Hsv c = G::MoveColour(m_dragMode, x, y, g.inner, m_hueRotation, press, m_anchorX);
            if (m_displayMode == kWheelWithValueRing && (m_dragMode & G::kDragValue)) {
                m_ringValue = G::RingValue(x, y, m_ringValue, event->type() == QEvent::MouseMove);
                c.value = m_ringValue;
            }
            if (Finite(c.hue, c.saturation, c.value)) {
                m_hue = c.hue;
                m_saturation = c.saturation;
                m_value = c.value;
                emit hsvChanged(m_hue, m_saturation, m_value);
            }
        }
        if (m_dragMode & G::kDragPan) {
            const float limit = G::kMaxPan;
            m_panX = std::min(std::max((x - m_anchorX) / g.inner + m_panX, -limit), limit);
            m_panY = std::min(std::max((y - m_anchorY) / g.inner + m_panY, -limit), limit);
        }
        if (m_dragMode & G::kDragZoom) {
            const float travel = (float(pos.x()) - float(pos.y())) - m_pressX + m_pressY;
            applyZoom(G::SnapZoom(m_zoomAtPress, 96, travel), m_zoomPixel, m_zoomDisc);
        }
    } else if (m_dragMode == G::kDragHue) {
        m_hue = G::HueAt(x, y, m_hueRotation);
    } else {
        const G::Hsv c = G::SquareColour(x, y, g.inner, event->modifiers(), {m_hue, m_saturation, m_value});
        m_saturation = c.saturation;
        m_value = c.value;
    }
    emit draggingSignal();
    update();
}

void ColorWheel::mouseReleaseEvent(QMouseEvent* event)
{
    setCursor(Qt::ArrowCursor);
    if (m_dragMode == G::kDragBoxZoom) {
        const QPointF pos = event->localPos();
        if (std::fabs(pos.x() - m_pressX) < 4 && std::fabs(pos.y() - m_pressY) < 4) {
            m_zoom = 1.0f;   // a click resets the view
            m_panX = m_panY = 0.0f;
        } else {
            const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
            const QPointF p = g.fromWidget(pos);
            box_zoom(m_anchorX, m_anchorY, float(p.x()), float(p.y()));
        }
    }
    if (m_dragMode != 0)
        emit stopDragSignal();
    m_dragMode = 0;
    update();
}

void ColorWheel::wheelEvent(QWheelEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!m_zoomEnabled || !rect().contains(pos)) {
        event->ignore();
        return;
    }
    const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
    if (!g.valid())
        return;
    const int notches = event->angleDelta().y() / 120;
    const QPointF p = g.fromWidget(pos);
    zoom(G::SnapZoom(m_zoom, 4, float(notches)), float(p.x()) / g.radius, float(p.y()) / g.radius);
    event->accept();
}

// --- painting -------------------------------------------------------------------

ColorWheel::LayerKey ColorWheel::layerKey(qreal dpr) const
{
    LayerKey key;
    key.size = size();
    key.dpr = dpr;
    key.zoom = m_zoom;
    key.panX = m_panX;
    key.panY = m_panY;
    key.rotation = m_hueRotation;
    key.mode = m_displayMode;
    // The ring-and-square look covers the disc's middle and shows its ring unshaded.
    key.band = m_value >= 0.0f && m_displayMode != kRingAndSquare;
    key.shade = m_displayMode == kRingAndSquare ? 0.0f
                : m_displayMode == kWheelWithValueRing ? 0.5f
                : std::min(std::max(1.0f - std::fabs(m_value), 0.0f), 1.0f);
    key.window = palette().color(QPalette::Window).rgba();
    return key;
}

const QImage& ColorWheel::disc(const LayerKey& wanted)
{
    LayerKey key = wanted;
    key.shade = -1.0f;   // the disc does not depend on the shading
    if (key == m_discKey)
        return m_disc;
    m_discKey = key;
    m_disc = NewImage(size(), key.dpr);
    const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
    QPainter p(&m_disc);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    FlipY(p, height());
    const QPointF c(g.cx, g.cy);

    // The shared texture (hue 0 along +x) turned by this wheel's rotation and scaled
    // so that saturation 1 lands exactly on the inner radius.
    const float unit = g.inner / G::kTextureUnit;
    QTransform t;
    t.translate(g.cx, g.cy);
    t.rotateRadians(m_hueRotation);
    t.scale(unit, unit);
    t.translate(-G::kTextureSize * 0.5, -G::kTextureSize * 0.5);
    QBrush texture(G::SharedTexture());
    texture.setTransform(t);
    p.setPen(Qt::NoPen);
    p.setBrush(texture);
    p.drawEllipse(c, g.radius, g.radius);

    const QColor window = palette().color(QPalette::Window);
    if (m_displayMode == kEmbedded) {
        p.setPen(QPen(window, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, g.radius + 1, g.radius + 1);
    } else if (m_displayMode == kWheelWithValueRing) {
        const qreal inner = g.radius + 2;
        QConicalGradient gradient(c, 90);
        gradient.setColorAt(0, Qt::black);
        gradient.setColorAt(1, Qt::lightGray);
        p.setBrush(gradient);
        p.setPen(Qt::NoPen);
        p.drawPath(Annulus(c, inner, inner + 16.0 * m_zoom));
        // Outlined as two ellipses: stroking the annulus path costs several times more.
        p.setBrush(Qt::NoBrush);
        p.setPen(window.lighter(150));
        p.drawEllipse(c, inner, inner);
        p.drawEllipse(c, inner + 16.0 * m_zoom, inner + 16.0 * m_zoom);
    }
    if (key.band && g.radius > g.inner) {
        p.setOpacity(0.3);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPath(Annulus(c, g.inner, g.radius));
        p.setOpacity(1);
    }
    if (m_displayMode == kRingAndSquare) {
        p.setPen(Qt::NoPen);
        p.setBrush(window);
        p.drawEllipse(c, g.inner, g.inner);
    }
    return m_disc;
}

const QImage& ColorWheel::layer(qreal dpr)
{
    const LayerKey key = layerKey(dpr);
    if (key == m_layerKey)
        return m_layer;
    const QImage& base = disc(key);
    if (key.shade <= 0.0f) {
        m_layer = base;   // shared, not copied
    } else {
        const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
        m_layer = base.copy();
        m_layer.setDevicePixelRatio(dpr);
        QPainter p(&m_layer);
        p.setRenderHint(QPainter::Antialiasing);
        FlipY(p, height());
        p.setOpacity(key.shade);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(g.cx, g.cy), g.inner, g.inner);
    }
    m_layerKey = key;
    return m_layer;
}

const QImage& ColorWheel::square(qreal dpr, const QRectF& rect)
{
    const float hue = G::WrapHue(m_hue);
    if (hue == m_squareHue && rect == m_squareRect && dpr == m_squareDpr)
        return m_square;
    m_squareHue = hue;
    m_squareRect = rect;
    m_squareDpr = dpr;
    m_square = QImage(std::max(1, int(std::lround(rect.width() * dpr))),
                      std::max(1, int(std::lround(rect.height() * dpr))), QImage::Format_ARGB32_Premultiplied);
    m_square.setDevicePixelRatio(dpr);
    G::FillSquare(m_square, hue);
    return m_square;
}

void ColorWheel::paintEvent(QPaintEvent*)
{
    const G::Geometry g = G::Compute(width(), height(), m_zoom, m_panX, m_panY, m_displayMode);
    if (!g.valid())
        return;
    QPainter p(this);
    const qreal dpr = DevicePixelRatio(p);
    p.drawImage(QPointF(0, 0), layer(dpr));

    // The square on whole device pixels, so it is copied, not resampled.
    const float half = G::SquareHalf(g.inner);
    if (m_displayMode == kRingAndSquare && half > 0) {
        const QRect device(int(std::lround((g.cx - half) * dpr)), int(std::lround((g.height - g.cy - half) * dpr)),
                           int(std::lround(2 * half * dpr)), int(std::lround(2 * half * dpr)));
        const QRectF squareRect(device.x() / dpr, device.y() / dpr, device.width() / dpr, device.height() / dpr);
        p.drawImage(squareRect.topLeft(), square(dpr, squareRect));
    }

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    FlipY(p, height());
    const float a = m_hue * kTwoPi + m_hueRotation;
    const float cosA = std::cos(a), sinA = std::sin(a);

    if (m_displayMode == kWheelWithValueRing) {
        const float ringAngle = -kTwoPi * (m_ringValue + 0.25f);
        const float d = g.radius + 2.0f + 8.0f * m_zoom;   // the middle of the ring
        Pointer(p, QPointF(g.cx + d * std::cos(ringAngle), g.cy + d * std::sin(ringAngle)), ringAngle, Qt::white);
    } else {
        Pointer(p, QPointF(g.cx + g.radius * cosA, g.cy + g.radius * sinA), a,
                m_saturation > 1.0f ? kOverColour : QColor(Qt::white));
    }

    if (m_displayMode == kRingAndSquare) {
        if (half > 0) {
            const auto unit = [](float v) { return std::min(std::max(v, 0.0f), 1.0f); };
            p.setPen(Qt::black);
            p.setBrush(MarkerColour(m_value));
            p.drawEllipse(QPointF(g.cx - half + unit(m_saturation) * 2 * half, g.cy - half + unit(m_value) * 2 * half),
                          4, 4);
        }
        p.restore();
        return;
    }

    // Centre cross, in a colour that stands out against the shading.
    const QPointF centre(std::floor(g.cx + 0.5f) + 0.5, std::floor(g.cy + 0.5f) + 0.5);
    const bool dark = std::fabs(m_value) < 0.6f;
    p.setPen(dark ? Qt::white : Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawLine(centre - QPointF(3, 0), centre + QPointF(3, 0));
    p.drawLine(centre - QPointF(0, 3), centre + QPointF(0, 3));

    if (m_dragMode & (G::kDragHue | G::kDragSaturation | G::kDragBoxZoom))
        p.setPen(QPen(dark ? QColor(178, 178, 178) : QColor(Qt::black), 1.0, Qt::DashLine, Qt::SquareCap,
                      Qt::BevelJoin));
    if (m_dragMode & G::kDragSaturation)
        p.drawLine(centre, QPointF(g.cx + g.inner * cosA, g.cy + g.inner * sinA));
    const float satR = std::min(std::max(m_saturation, 0.0f), 1.0f) * g.inner;
    if ((m_dragMode & G::kDragHue) && satR > 1.1920929e-07f)
        p.drawEllipse(QPointF(g.cx, g.cy), satR, satR);
    if (m_dragMode & G::kDragBoxZoom) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::white);
        p.setBrush(QColor(255, 255, 255, 25));
        p.drawRect(QRectF(m_anchorX + g.cx, m_anchorY + g.cy, m_pointerX - m_anchorX, m_pointerY - m_anchorY));
        p.setRenderHint(QPainter::Antialiasing, true);
    }
    m_markerX = g.cx + satR * cosA;
    m_markerY = g.cy + satR * sinA;
    p.setPen(Qt::black);
    p.setBrush(MarkerColour(m_value));
    p.drawEllipse(QPointF(m_markerX, m_markerY), 4, 4);
    p.restore();
}

} // namespace UI
} // namespace Quill
