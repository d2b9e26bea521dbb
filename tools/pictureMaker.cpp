// kestro-picture-maker OUT_DIR LABELS_FILE VERSION ICON_NAME
//
// Draws the pictures the programs load from their application folder: the
// network diagram of every activity, the start-up splash and the program's
// icon (a multi-size .ico for the window, PNG sizes and an SVG for the
// desktop's icon theme under OUT_DIR/icons/hicolor).
//
// Diagrams are drawn from the same network table the simulator's loaders
// write into the topology values, so a picture can never show an address the
// simulator does not use. Every address or network label drawn is also written
// to LABELS_FILE (picture, field, text; tab separated), which the tests
// compare with that table.

#include "learning/Diagrams.h"
#include "learning/Networks.h"
#include "records/AddressUtils.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using kestro::ActivityNetwork;
using kestro::TopologyKind;

namespace {

// --- style ------------------------------------------------------------------

const QColor ink(0x1b, 0x26, 0x33);
const QColor mutedInk(0x5d, 0x6d, 0x7e);
const QColor paper(0xff, 0xff, 0xff);
const QColor routerBody(0x1f, 0x4e, 0x79);
const QColor routerTop(0x2e, 0x75, 0xb6);
const QColor serialColour(0xc0, 0x39, 0x2b);
const QColor ethernetColour(0x2e, 0x86, 0xc1);
const QColor chipColour(0x34, 0x49, 0x5e);
const QColor hostFill(0xec, 0xf0, 0xf1);
const QColor screenFill(0xd6, 0xea, 0xf8);
const QColor consoleColour(0xe6, 0x7e, 0x22);
const QColor taskColour(0xd3, 0x54, 0x00);
const QColor networkFill(0xea, 0xf2, 0xf8);

constexpr int diagramWidth = 960;
constexpr int diagramHeight = 540;
const char* const fontFamily = "DejaVu Sans";

QFont font(double pixels, bool bold = false, bool italic = false) {
    QFont f(fontFamily);
    f.setPixelSize(static_cast<int>(pixels));
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// --- what was drawn ---------------------------------------------------------

struct DrawnLabel {
    std::string picture;
    std::string field; // a topology value's name, "task:E0" .., "console"
    std::string text;
};

enum class Anchor { left, centre, right };

// A diagram being drawn; every label goes through `text` so that it is both
// painted and recorded.
class Diagram {
public:
    // At scale 2 the same drawing is made for screens of twice the density
    // ("NAME@2x.jpg"); only the first drawing records its labels.
    Diagram(std::string picture, std::vector<DrawnLabel>& log, int scale = 1)
        : picture_(std::move(picture)), log_(log), scale_(scale),
          image_(diagramWidth * scale, diagramHeight * scale, QImage::Format_RGB32) {
        if (scale_ != 1)
            picture_.insert(picture_.rfind('.'), "@" + std::to_string(scale_) + "x");
        image_.fill(paper);
        p_.begin(&image_);
        p_.scale(scale_, scale_);
        p_.setRenderHint(QPainter::Antialiasing);
        p_.setRenderHint(QPainter::TextAntialiasing);
    }

    QPainter& painter() { return p_; }

    void record(const std::string& field, const std::string& text) {
        if (scale_ == 1)
            log_.push_back({picture_, field, text});
    }

    // Draws text with its baseline at y; answers its bounding box. A label
    // with a field is recorded.
    QRectF text(QPointF at, const QString& text, const QFont& f, const QColor& colour,
                Anchor anchor = Anchor::left, const std::string& field = {}) {
        const QFontMetricsF m(f);
        const double width = m.horizontalAdvance(text);
        double x = at.x();
        if (anchor == Anchor::centre)
            x -= width / 2;
        else if (anchor == Anchor::right)
            x -= width;
        p_.setFont(f);
        p_.setPen(colour);
        p_.drawText(QPointF(x, at.y()), text);
        if (!field.empty())
            record(field, text.toStdString());
        return QRectF(x, at.y() - m.ascent(), width, m.ascent() + m.descent());
    }

    // An interface name in a dark chip; answers its right edge.
    double chip(QPointF at, const QString& name, Anchor anchor = Anchor::left) {
        const QFont f = font(13, true);
        const QFontMetricsF m(f);
        const double w = m.horizontalAdvance(name) + 12;
        const double h = 20;
        double x = at.x();
        if (anchor == Anchor::right)
            x -= w;
        else if (anchor == Anchor::centre)
            x -= w / 2;
        const QRectF box(x, at.y() - h + 5, w, h);
        p_.setPen(Qt::NoPen);
        p_.setBrush(chipColour);
        p_.drawRoundedRect(box, 5, 5);
        text(QPointF(box.center().x(), at.y()), name, f, Qt::white, Anchor::centre);
        return box.right();
    }

    // A network's name in a tinted box.
    void network(QPointF at, const QString& caption, const std::string& value,
                 const std::string& field, Anchor anchor = Anchor::left) {
        const QFont f = font(13, false, true);
        const QFontMetricsF m(f);
        const QString label = value.empty() ? caption : caption + " " + q(value);
        const double w = m.horizontalAdvance(label) + 14;
        double x = at.x();
        if (anchor == Anchor::centre)
            x -= w / 2;
        else if (anchor == Anchor::right)
            x -= w;
        const QRectF box(x, at.y() - 15, w, 21);
        p_.setPen(QPen(ethernetColour.lighter(130), 1));
        p_.setBrush(networkFill);
        p_.drawRoundedRect(box, 4, 4);
        text(QPointF(x + 7, at.y()), label, f, ink, Anchor::left, value.empty() ? "" : field);
    }

    void save(const fs::path& folder) {
        p_.end();
        const fs::path path = folder / picture_;
        if (!image_.save(QString::fromStdString(path.string()), "JPG", 92))
            throw std::runtime_error("cannot write " + path.string());
    }

private:
    std::string picture_;
    std::vector<DrawnLabel>& log_;
    int scale_;
    QImage image_;
    QPainter p_;
};

// --- shapes -----------------------------------------------------------------

// The router symbol: a flat cylinder with four arrows on its top, centred on c.
// `scale` 1 is 96 pixels wide.
void drawRouterShape(QPainter& p, QPointF c, double scale, const QColor& body, const QColor& top,
                     const QColor& arrows = Qt::white) {
    const double w = 96 * scale, topH = 30 * scale, bodyH = 26 * scale;
    const QRectF topRect(c.x() - w / 2, c.y() - bodyH / 2 - topH / 2, w, topH);
    const QRectF bottomRect(c.x() - w / 2, c.y() + bodyH / 2 - topH / 2, w, topH);

    QPainterPath side;
    side.moveTo(topRect.left(), topRect.center().y());
    side.lineTo(bottomRect.left(), bottomRect.center().y());
    side.arcTo(bottomRect, 180, 180);
    side.lineTo(topRect.right(), topRect.center().y());
    side.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(side);
    p.setBrush(top);
    p.setPen(QPen(body.darker(120), 1.5 * scale));
    p.drawEllipse(topRect);

    // Two arrows in, two out: the symbol's four diagonal arrows.
    p.setPen(QPen(arrows, 3.2 * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(arrows);
    const QPointF o = topRect.center();
    const double dx = w * 0.27, dy = topH * 0.30, head = 6 * scale;
    auto arrow = [&](QPointF from, QPointF to) {
        p.drawLine(from, to);
        const QPointF d = to - from;
        const double len = std::hypot(d.x(), d.y());
        const QPointF u(d.x() / len, d.y() / len), n(-u.y(), u.x());
        const QPointF tip = to + u * head * 0.6;
        QPolygonF tri;
        tri << tip << to - u * head * 0.5 + n * head * 0.6 << to - u * head * 0.5 - n * head * 0.6;
        p.drawPolygon(tri);
    };
    const double gap = 0.28;
    arrow(o + QPointF(-dx, -dy), o + QPointF(-dx * gap, -dy * gap));
    arrow(o + QPointF(dx, dy), o + QPointF(dx * gap, dy * gap));
    arrow(o + QPointF(-dx * gap, dy * gap), o + QPointF(-dx, dy));
    arrow(o + QPointF(dx * gap, -dy * gap), o + QPointF(dx, -dy));
}

// A computer: screen and stand; top centre at c.
void drawHost(QPainter& p, QPointF c) {
    const QRectF screen(c.x() - 28, c.y(), 56, 38);
    p.setPen(QPen(chipColour, 2));
    p.setBrush(hostFill);
    p.drawRoundedRect(screen, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(screenFill);
    p.drawRect(screen.adjusted(5, 5, -5, -5));
    p.setPen(QPen(chipColour, 2));
    p.drawLine(QPointF(c.x(), screen.bottom()), QPointF(c.x(), screen.bottom() + 7));
    p.setBrush(hostFill);
    p.drawRoundedRect(QRectF(c.x() - 18, screen.bottom() + 7, 36, 5), 2, 2);
}

// A server tower; top centre at c.
void drawServer(QPainter& p, QPointF c) {
    const QRectF box(c.x() - 19, c.y() - 4, 38, 54);
    p.setPen(QPen(chipColour, 2));
    p.setBrush(hostFill);
    p.drawRoundedRect(box, 4, 4);
    p.setPen(QPen(chipColour, 1.5));
    for (int i = 0; i < 3; ++i) {
        const double y = box.top() + 10 + i * 9;
        p.drawLine(QPointF(box.left() + 7, y), QPointF(box.right() - 7, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x27, 0xae, 0x60));
    p.drawEllipse(QPointF(box.center().x(), box.bottom() - 9), 3, 3);
}

// A serial link with the zigzag of a leased line, the zigzag centred at zx.
void drawSerial(QPainter& p, QPointF a, QPointF b, double zx) {
    p.setPen(QPen(serialColour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path(a);
    path.lineTo(zx - 14, a.y());
    path.lineTo(zx + 4, a.y() - 13);
    path.lineTo(zx - 4, a.y() + 13);
    path.lineTo(zx + 14, b.y());
    path.lineTo(b);
    p.drawPath(path);
}

void drawBus(QPainter& p, double y, double x1, double x2) {
    p.setPen(QPen(ethernetColour, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
}

void drawDrop(QPainter& p, QPointF a, QPointF b) {
    p.setPen(QPen(ethernetColour, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
}

// A console terminal beside a router, joined to it by a dashed cable.
void drawConsole(Diagram& d, QPointF router, bool onLeft) {
    QPainter& p = d.painter();
    const double side = onLeft ? -1 : 1;
    const QPointF centre(router.x() + side * 128, router.y() - 6);
    const QRectF screen(centre.x() - 22, centre.y() - 17, 44, 32);
    p.setPen(QPen(consoleColour, 2, Qt::DashLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF cableStart(onLeft ? screen.right() : screen.left(), screen.center().y());
    p.drawLine(cableStart, QPointF(router.x() + side * 52, router.y()));
    p.setPen(QPen(consoleColour.darker(115), 2));
    p.setBrush(QColor(0x2c, 0x3e, 0x50));
    p.drawRoundedRect(screen, 4, 4);
    d.text(QPointF(screen.left() + 7, screen.center().y() + 5), ">_", font(14, true),
           QColor(0x7d, 0xf0, 0x9a));
    d.text(QPointF(centre.x(), screen.bottom() + 18), "Console", font(13, true), consoleColour,
           Anchor::centre);
}

// --- the diagrams -----------------------------------------------------------

using kestro::DiagramPlan;
using kestro::DiagramTask;
using kestro::withPrefix;

const ActivityNetwork& networkNamed(const std::string& name) {
    const ActivityNetwork* n = kestro::networkOf(name);
    if (!n)
        throw std::runtime_error("no network for activity " + name);
    return *n;
}

void drawTitle(Diagram& d, const DiagramPlan& plan) {
    d.text(QPointF(24, 38), q(plan.title), font(21, true), ink);
    d.text(QPointF(24, 62), q(plan.subtitle), font(13.5), mutedInk);
}

void drawLegend(Diagram& d, bool task) {
    QPainter& p = d.painter();
    const double y = diagramHeight - 16;
    p.setPen(QPen(QColor(0xd5, 0xdb, 0xdb), 1));
    p.drawLine(QPointF(24, y - 22), QPointF(diagramWidth - 24, y - 22));
    double x = 24;
    auto item = [&](const std::function<void(QPointF)>& symbol, const QString& label) {
        symbol(QPointF(x, y - 5));
        const QRectF r = d.text(QPointF(x + 34, y), label, font(12.5), mutedInk);
        x = r.right() + 28;
    };
    item(
        [&](QPointF at) {
            p.setPen(QPen(ethernetColour, 6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(at, at + QPointF(26, 0));
        },
        "Ethernet LAN");
    item(
        [&](QPointF at) {
            p.setPen(QPen(serialColour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPainterPath path(at);
            path.lineTo(at + QPointF(9, 0));
            path.lineTo(at + QPointF(15, -6));
            path.lineTo(at + QPointF(11, 6));
            path.lineTo(at + QPointF(17, 0));
            path.lineTo(at + QPointF(26, 0));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        },
        "Serial link");
    item(
        [&](QPointF at) {
            p.setPen(QPen(consoleColour, 2, Qt::DashLine, Qt::RoundCap));
            p.drawLine(at, at + QPointF(26, 0));
        },
        "Router on the console");
    if (task)
        item(
            [&](QPointF at) {
                p.setPen(Qt::NoPen);
                p.setBrush(taskColour);
                p.drawEllipse(at + QPointF(13, 0), 6, 6);
            },
            "What you configure");
}

// A LAN: its bus, the router's drop with the interface chip and two hosts.
struct LanPlan {
    double busLeft, busRight, routerX, host1X, host2X;
};
constexpr double routerY = 226;
constexpr double busY = 370;

void drawLan(Diagram& d, const LanPlan& plan, const QString& caption, const std::string& network,
             const std::string& networkField, const std::string& host1, const std::string& host2,
             const std::string& hostField1, const std::string& hostField2, bool host2IsServer,
             bool networkAtRight) {
    QPainter& p = d.painter();
    drawBus(p, busY, plan.busLeft, plan.busRight);
    drawDrop(p, QPointF(plan.routerX, routerY + 28), QPointF(plan.routerX, busY));
    if (networkAtRight)
        d.network(QPointF(plan.busRight, busY - 14), caption, network, networkField, Anchor::right);
    else
        d.network(QPointF(plan.busLeft, busY - 14), caption, network, networkField);
    auto host = [&](double x, const std::string& address, const std::string& field, bool server) {
        drawDrop(p, QPointF(x, busY), QPointF(x, busY + 26));
        if (server)
            drawServer(p, QPointF(x, busY + 26));
        else
            drawHost(p, QPointF(x, busY + 26));
        d.text(QPointF(x, busY + 98), server ? "TFTP server" : "Host", font(12.5, true), mutedInk,
               Anchor::centre);
        d.text(QPointF(x, busY + 117), q(address), font(14), ink, Anchor::centre, field);
    };
    host(plan.host1X, host1, hostField1, false);
    host(plan.host2X, host2, hostField2, host2IsServer);
}

// The interface chip on a router's Ethernet drop, with an address after it.
void ethernetLabel(Diagram& d, double routerX, const QString& name, const std::string& text,
                   const std::string& field, const QColor& colour) {
    const double right = d.chip(QPointF(routerX + 10, 310), name);
    if (!text.empty())
        d.text(QPointF(right + 7, 310), q(text), font(14, colour == taskColour), colour,
               Anchor::left, field);
}

void drawRouter(Diagram& d, QPointF c, const QString& name, bool onConsole, bool consoleOnLeft) {
    QPainter& p = d.painter();
    if (onConsole) {
        p.setPen(QPen(consoleColour, 3));
        p.setBrush(QColor(0xfd, 0xf2, 0xe9));
        p.drawRoundedRect(QRectF(c.x() - 60, c.y() - 38, 120, 76), 14, 14);
        drawConsole(d, c, consoleOnLeft);
    }
    drawRouterShape(p, c, 1.0, routerBody, routerTop);
    d.text(QPointF(c.x(), c.y() - 50), name, font(16, true),
           onConsole ? consoleColour.darker(125) : ink, Anchor::centre);
}

constexpr double routerAX = 260, routerBX = 700;
const LanPlan lanA{48, 452, routerAX, 128, 372};
const LanPlan lanB{508, 912, routerBX, 588, 832};

void drawTaskPanel(Diagram& d, const DiagramTask& task) {
    QStringList lines;
    if (!task.ethernetAddress.empty())
        lines << "E0: " + q(withPrefix(task.ethernetAddress, task.ethernetMask)) + ", brought up";
    if (!task.serialAddress.empty()) {
        QString s = "S0: " + q(withPrefix(task.serialAddress, task.serialMask)) + ", brought up";
        if (task.clockRate > 0)
            s += ", clock rate " + QString::number(task.clockRate);
        lines << s;
    }
    if (task.rip)
        lines << "RIP routing";
    if (lines.isEmpty())
        return;
    QPainter& p = d.painter();
    const QFont f = font(13);
    const QFontMetricsF m(f);
    double w = m.horizontalAdvance("Configure on your router:");
    for (const QString& l : lines)
        w = std::max(w, m.horizontalAdvance(l) + 14);
    const QRectF box(diagramWidth - 24 - w - 24, 18, w + 24, 30 + 19.0 * lines.size());
    p.setPen(QPen(taskColour, 1.5));
    p.setBrush(QColor(0xfe, 0xf5, 0xe7));
    p.drawRoundedRect(box, 6, 6);
    d.text(QPointF(box.left() + 12, box.top() + 20), "Configure on your router:", font(13, true),
           taskColour);
    double y = box.top() + 39;
    for (const QString& l : lines) {
        p.setPen(Qt::NoPen);
        p.setBrush(taskColour);
        p.drawEllipse(QPointF(box.left() + 15, y - 4.5), 2.5, 2.5);
        d.text(QPointF(box.left() + 24, y), l, f, ink);
        y += 19;
    }
}

// One router and its fixed, unsimulated neighbour.
void drawSingleRouter(Diagram& d, const DiagramPlan& plan, const ActivityNetwork& n) {
    QPainter& p = d.painter();
    const std::string a1(n.lanAHost1), a2(n.lanAHost2), an(n.lanANetwork);
    const std::string b1(n.lanBHost1), b2(n.lanBHost2);
    const std::string link(n.linkNetwork), nSerial(n.neighbourSerialAddress);
    const std::string nLan(n.neighbourLanAddress), nMask(n.neighbourLanMask);
    // The guided labs' network: its second host is the TFTP server of copy.
    const bool tftp = n.name == "lab" || n.name == "test1" || n.name == "test2";

    drawLan(d, lanA, "LAN", an, "lanANetwork", a1, a2, "lanAHost1", "lanAHost2", tftp, false);
    drawLan(d, lanB, "Neighbour's LAN", "", "", b1, b2, "lanBHost1", "lanBHost2", false, true);

    const QPointF ra(routerAX, routerY), rb(routerBX, routerY);
    drawSerial(p, ra + QPointF(50, 0), rb - QPointF(50, 0), 530);
    drawRouter(d, ra, "Your router", true, true);
    drawRouter(d, rb, "RouterB (neighbour)", false, false);

    const DiagramTask& t = plan.task;
    // Serial0, the router's end of the link.
    double right = d.chip(QPointF(routerAX + 66, routerY - 14), "S0");
    if (!t.serialAddress.empty())
        d.text(QPointF(right + 7, routerY - 14), q(withPrefix(t.serialAddress, t.serialMask)),
               font(14, true), taskColour, Anchor::left, "task:S0");
    QString dce = "DCE (clocking end)";
    if (t.clockRate > 0)
        dce = "DCE, clock rate " + QString::number(t.clockRate);
    d.text(QPointF(routerAX + 66, routerY + 24), dce, font(12.5, t.clockRate > 0),
           t.clockRate > 0 ? taskColour : mutedInk);
    if (t.clockRate > 0)
        d.record("task:clockRate", std::to_string(t.clockRate));
    d.text(QPointF(routerBX - 64, routerY - 14), q(nSerial), font(14), ink, Anchor::right,
           "neighbourSerialAddress");
    d.network(QPointF(480, routerY + 52), "Serial link", link, "linkNetwork", Anchor::centre);

    ethernetLabel(d, routerAX, "E0",
                  t.ethernetAddress.empty() ? "" : withPrefix(t.ethernetAddress, t.ethernetMask),
                  "task:E0", taskColour);
    ethernetLabel(d, routerBX, "E0", withPrefix(nLan, nMask), "neighbourLanAddress", ink);
    d.record("neighbourLanMask", "/" + std::to_string(kestro::maskBitCount(nMask)));
    if (t.rip) {
        d.record("task:rip", "RIP");
    }
    d.record("console", "single");
}

// RouterA and RouterB, both simulated, joined RouterA S0 - RouterB S1.
void drawTwoRouters(Diagram& d, const DiagramPlan& plan, const ActivityNetwork& n) {
    QPainter& p = d.painter();
    drawLan(d, lanA, "LAN", std::string(n.lanANetwork), "lanANetwork", std::string(n.lanAHost1),
            std::string(n.lanAHost2), "lanAHost1", "lanAHost2", false, false);
    drawLan(d, lanB, "LAN", std::string(n.lanBNetwork), "lanBNetwork", std::string(n.lanBHost1),
            std::string(n.lanBHost2), "lanBHost1", "lanBHost2", false, true);
    const QPointF ra(routerAX, routerY), rb(routerBX, routerY);
    drawSerial(p, ra + QPointF(50, 0), rb - QPointF(50, 0), 480);
    drawRouter(d, ra, "RouterA", plan.consoleRouter == kestro::RouterId::a, true);
    drawRouter(d, rb, "RouterB", plan.consoleRouter == kestro::RouterId::b, false);
    d.chip(QPointF(routerAX + 66, routerY - 14), "S0");
    d.text(QPointF(routerAX + 66, routerY + 24), "DCE (clocking end)", font(12.5), mutedInk);
    d.chip(QPointF(routerBX - 66, routerY - 14), "S1", Anchor::right);
    ethernetLabel(d, routerAX, "E0", "", "", ink);
    ethernetLabel(d, routerBX, "E0", "", "", ink);
    d.record("console", plan.consoleRouter == kestro::RouterId::a ? "RouterA" : "RouterB");
}

void drawDiagram(const DiagramPlan& plan, const fs::path& folder, std::vector<DrawnLabel>& log,
                 int scale) {
    const ActivityNetwork& n = networkNamed(std::string(plan.activities.front()));
    Diagram d(std::string(plan.file), log, scale);
    for (std::string_view activity : plan.activities)
        d.record("activity", std::string(activity));
    drawTitle(d, plan);
    const bool task = !plan.task.ethernetAddress.empty() || !plan.task.serialAddress.empty();
    if (task)
        drawTaskPanel(d, plan.task);
    if (n.topologyKind == TopologyKind::twoRouters)
        drawTwoRouters(d, plan, n);
    else
        drawSingleRouter(d, plan, n);
    drawLegend(d, task);
    d.save(folder);
}

// --- splash and icon ----------------------------------------------------------

// The program's icon on a square of `size` pixels: a router above a serial
// link. Below 32 pixels the arrows and the zigzag would blur, so the small
// sizes show the plain shapes.
void paintIcon(QPainter& p, double size) {
    p.setRenderHint(QPainter::Antialiasing);
    const bool small = size < 32;
    const double s = size / 256.0;
    QLinearGradient bg(0, 0, 0, size);
    bg.setColorAt(0, QColor(0x2e, 0x75, 0xb6));
    bg.setColorAt(1, QColor(0x15, 0x3e, 0x63));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    const double margin = small ? 0 : 8 * s;
    p.drawRoundedRect(QRectF(margin, margin, size - 2 * margin, size - 2 * margin), 44 * s, 44 * s);
    p.setPen(QPen(QColor(0xf3, 0x9c, 0x12), (small ? 26 : 14) * s, Qt::SolidLine,
                  small ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath link(QPointF((small ? 24 : 36) * s, 196 * s));
    if (!small) {
        link.lineTo(112 * s, 196 * s);
        link.lineTo(132 * s, 178 * s);
        link.lineTo(124 * s, 214 * s);
        link.lineTo(144 * s, 196 * s);
    }
    link.lineTo((small ? 232 : 220) * s, 196 * s);
    p.drawPath(link);
    const QColor light(0xec, 0xf0, 0xf1), dark(0x1f, 0x4e, 0x79);
    drawRouterShape(p, QPointF(128 * s, 112 * s), (small ? 2.3 : 2.0) * s, light,
                    small ? QColor(0xae, 0xd6, 0xf1) : QColor(Qt::white),
                    small ? QColor(0xae, 0xd6, 0xf1) : dark);
}

QImage iconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintIcon(p, size);
    p.end();
    return image;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void putLe16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}
void putLe32(std::string& out, unsigned v) {
    putLe16(out, v & 0xffff);
    putLe16(out, (v >> 16) & 0xffff);
}

// A Windows icon file holding several sizes, each stored as PNG.
void writeIco(const fs::path& path, const std::vector<int>& sizes) {
    std::vector<QByteArray> images;
    for (int size : sizes)
        images.push_back(pngBytes(iconImage(size)));
    std::string out;
    putLe16(out, 0);
    putLe16(out, 1); // icon
    putLe16(out, static_cast<unsigned>(sizes.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const unsigned side = sizes[i] >= 256 ? 0 : static_cast<unsigned>(sizes[i]);
        out += static_cast<char>(side);
        out += static_cast<char>(side);
        out += '\0'; // no palette
        out += '\0';
        putLe16(out, 1);  // planes
        putLe16(out, 32); // bits per pixel
        putLe32(out, static_cast<unsigned>(images[i].size()));
        putLe32(out, offset);
        offset += static_cast<unsigned>(images[i].size());
    }
    for (const QByteArray& image : images)
        out.append(image.constData(), static_cast<std::size_t>(image.size()));
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

void writeIcons(const fs::path& folder, const std::string& iconName) {
    writeIco(folder / "KestroLogoIcon.ico", {16, 24, 32, 48, 64, 256});
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        const fs::path dir = folder / "icons" / "hicolor" / dim / "apps";
        fs::create_directories(dir);
        const fs::path png = dir / (iconName + ".png");
        if (!iconImage(size).save(QString::fromStdString(png.string()), "PNG"))
            throw std::runtime_error("cannot write " + png.string());
    }
    const fs::path dir = folder / "icons" / "hicolor" / "scalable" / "apps";
    fs::create_directories(dir);
    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString((dir / (iconName + ".svg")).string()));
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle("Kestro Router Simulator");
    QPainter p(&svg);
    paintIcon(p, 256);
    p.end();
}

void writeSplash(const fs::path& folder, const std::string& version) {
    const int w = 600, h = 360;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, w, h);
    bg.setColorAt(0, QColor(0x15, 0x3e, 0x63));
    bg.setColorAt(1, QColor(0x0b, 0x21, 0x36));
    p.fillRect(image.rect(), bg);

    // A small network behind the title: three routers, links between them.
    const QPointF r1(430, 120), r2(530, 230), r3(360, 250);
    p.setPen(QPen(QColor(0xf3, 0x9c, 0x12), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r1, r2);
    p.drawLine(r2, r3);
    p.setPen(QPen(QColor(0x5d, 0xad, 0xe2), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r3, r1);
    drawRouterShape(p, r1, 1.0, QColor(0xec, 0xf0, 0xf1), QColor(0x5d, 0xad, 0xe2));
    drawRouterShape(p, r2, 0.8, QColor(0xec, 0xf0, 0xf1), QColor(0x5d, 0xad, 0xe2));
    drawRouterShape(p, r3, 0.8, QColor(0xec, 0xf0, 0xf1), QColor(0x5d, 0xad, 0xe2));

    p.setPen(Qt::white);
    p.setFont(font(40, true));
    p.drawText(QPointF(36, 84), "Kestro");
    p.setFont(font(26, false));
    p.drawText(QPointF(36, 120), "Router Simulator");
    p.setPen(QColor(0xae, 0xd6, 0xf1));
    p.setFont(font(15));
    p.drawText(QPointF(36, 292), "Labs, tests and troubleshooting");
    p.drawText(QPointF(36, 314), "for router configuration practice");
    p.setPen(QColor(0xd6, 0xea, 0xf8));
    p.setFont(font(13));
    p.drawText(QPointF(36, 340), QString("Version ") + q(version));
    p.end();
    const fs::path path = folder / "SplashScreen.JPG";
    if (!image.save(QString::fromStdString(path.string()), "JPG", 92))
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: kestro-picture-maker OUT_DIR LABELS_FILE VERSION ICON_NAME\n");
        return 2;
    }
    // Drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        const fs::path folder = argv[1];
        fs::create_directories(folder);
        std::vector<DrawnLabel> log;
        for (const DiagramPlan& plan : kestro::diagramPlans())
            for (int scale : {1, 2})
                drawDiagram(plan, folder, log, scale);
        writeSplash(folder, argv[3]);
        writeIcons(folder, argv[4]);

        std::ofstream labels(argv[2], std::ios::trunc);
        for (const DrawnLabel& l : log)
            labels << l.picture << '\t' << l.field << '\t' << l.text << '\n';
        if (!labels)
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kestro-picture-maker: %s\n", e.what());
        return 1;
    }
    return 0;
}
