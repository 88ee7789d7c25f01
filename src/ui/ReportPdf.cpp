#include "ui/ReportPdf.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "files/TextFile.h"
#include "ui/ChartWidget.h"
#include "ui/DrawingWidget.h"
#include "ui/QtPlatform.h"
#include "ui/UiConvert.h"

namespace aub {

namespace {

// The page is laid out at 96 units per inch, the screen's, so that a drawing keeps
// the proportions of its text and lines; the output stays vector.
constexpr int Resolution = 96;
constexpr double MmToUnit = Resolution / 25.4;
constexpr double MarginMm = 20.0;
constexpr double FooterMm = 10.0;  // the footer's baseline, from the bottom edge

const QColor HeadingColor(0x1F, 0x3A, 0x5F);
const QColor RuleColor(0xC8, 0xC8, 0xC8);
const QColor GroupColor(0x55, 0x55, 0x55);

// Ligatures are turned off so that the text copied or searched in the document reads
// "fi", "ffi" as typed.
QFont textFont(double points, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QFont monoFont(double points) {
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setPointSizeF(points);
    return f;
}

// One piece of the flow of text: its height and how to paint it at a given top.
struct Block {
    double height = 0;
    std::function<void(QPainter&, double top)> paint;
    bool keepWithNext = false;  // headings stay with what follows
    bool newPage = false;       // starts a page (each window does)
};

// A chart smaller on its window than a page's figure (a thumbnail beside the results)
// is drawn at a page's size, so that its labels and legend are read whole.
bool smallChart(const ReportFigure& fig) {
    return fig.kind == ReportFigure::Kind::Chart && fig.widthTw / TwipsPerPixel < 600;
}

class Layout {
public:
    Layout(QPaintDevice& device, double width) : device_(device), width_(width) {}

    // Text laid out in lines of the given width: broken at spaces, and inside a word longer than
    // a line (a study or file name without spaces) rather than running past the page edge.
    std::shared_ptr<QTextLayout> wrapped(const QFont& font, const QString& text, double width,
                                         Qt::Alignment align = Qt::AlignLeft) const {
        QString lines = text;
        lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
        auto layout = std::make_shared<QTextLayout>(lines, font, &device_);
        QTextOption option(align);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        layout->beginLayout();
        double y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
        return layout;
    }

    static double heightOf(const QTextLayout& layout) {
        const int n = layout.lineCount();
        if (n == 0) return 0;
        const QTextLine last = layout.lineAt(n - 1);
        return last.position().y() + last.height();
    }

    void paragraph(const QString& text, const QFont& font, QColor color = Qt::black, double before = 0,
                   bool keep = false, bool newPage = false) {
        const auto lines = wrapped(font, text, width_);
        const double h = heightOf(*lines) + before;
        blocks.push_back({h,
                          [=](QPainter& p, double top) {
                              p.setPen(color);
                              lines->draw(&p, QPointF(0, top + before));
                          },
                          keep, newPage});
    }

    void heading(const QString& text, double points, bool newPage = false) {
        const QFont font = textFont(points, true);
        const double gap = points * 0.9;
        const auto lines = wrapped(font, text, width_);
        const double h = heightOf(*lines) + gap + 4;
        blocks.push_back({h,
                          [=, w = width_](QPainter& p, double top) {
                              p.setPen(HeadingColor);
                              lines->draw(&p, QPointF(0, top + gap));
                              p.setPen(QPen(HeadingColor, 0.8));
                              p.drawLine(QPointF(0, top + h - 2), QPointF(w, top + h - 2));
                          },
                          true, newPage});
    }

    // Caption on the left, value right-aligned in a monospace column.
    void row(const QString& caption, const QString& value) {
        const QFont cf = textFont(9.5);
        const QFont vf = monoFont(9);
        const double valueW = width_ * 0.36, captionW = width_ - valueW - 8;
        const auto captionText = wrapped(cf, caption, captionW);
        const auto valueText = wrapped(vf, value, valueW, Qt::AlignRight);
        const double h = std::max(heightOf(*captionText), heightOf(*valueText)) + 5;
        blocks.push_back({h, [=, w = width_](QPainter& p, double top) {
                              p.setPen(Qt::black);
                              captionText->draw(&p, QPointF(0, top + 2));
                              valueText->draw(&p, QPointF(w - valueW, top + 2));
                              p.setPen(QPen(RuleColor, 0.5));
                              p.drawLine(QPointF(0, top + h), QPointF(w, top + h));
                          }});
    }

    void groups(const std::vector<ReportGroup>& groups) {
        for (const auto& g : groups) {
            if (!g.title.empty()) paragraph(toQ(g.title), textFont(9, true), GroupColor, 6, true);
            for (const auto& r : g.rows)
                row(toQ(r.caption), toQ(r.value.empty() || r.unit.empty() ? r.value : r.value + " " + r.unit));
        }
    }

    // A figure at the width of the text, its height following the area's proportions,
    // at most 55 % of the page's text height.
    void figure(const ReportFigure& fig, double maxHeight) {
        double aspect = 0.75;
        QImage image;
        if (fig.kind == ReportFigure::Kind::Picture) {
            if (fig.picturePath.empty() || !image.load(toQ(fig.picturePath))) return;
            aspect = double(image.height()) / std::max(1, image.width());
        } else if (fig.widthTw > 0 && fig.heightTw > 0 && !smallChart(fig)) {
            aspect = double(fig.heightTw) / fig.widthTw;
        }
        double w = width_, h = w * aspect;
        if (h > maxHeight) {
            h = maxHeight;
            w = h / aspect;
        }
        if (!fig.caption.empty()) paragraph(toQ(fig.caption), textFont(9, true), GroupColor, 6, true);
        const double left = (width_ - w) / 2;
        blocks.push_back({h + 8, [=](QPainter& p, double top) {
                              const QRectF target(left, top + 4, w, h);
                              if (fig.kind == ReportFigure::Kind::Picture) {
                                  p.drawImage(target, image);
                              } else if (fig.kind == ReportFigure::Kind::Chart) {
                                  // The chart as its window draws it, at its size there (a
                                  // common one when it has none), scaled as a whole.
                                  const QSize pixels =
                                      fig.widthTw > 0 && fig.heightTw > 0 && !smallChart(fig)
                                          ? QSize(fig.widthTw / TwipsPerPixel, fig.heightTw / TwipsPerPixel)
                                          : QSize(720, 540);
                                  paintChart(p, fig.chart, target, pixels);
                              } else {
                                  // The drawing is painted at its size on the window, then scaled
                                  // as a whole, so lines and text keep their proportions.
                                  const double pw = fig.widthTw > 0 ? fig.widthTw / double(TwipsPerPixel) : w;
                                  const double ph = pw * aspect;
                                  p.save();
                                  p.translate(target.topLeft());
                                  p.scale(w / pw, h / ph);
                                  p.fillRect(QRectF(0, 0, pw, ph), toQColor(fig.drawing.backColor));
                                  paintDrawing(p, fig.drawing, QRectF(0, 0, pw, ph));
                                  p.restore();
                              }
                              p.setPen(QPen(RuleColor, 0.5));
                              p.setBrush(Qt::NoBrush);
                              p.drawRect(target);
                          }});
    }

    std::vector<Block> blocks;

private:
    QPaintDevice& device_;
    double width_;
};

void buildBlocks(Layout& l, const Report& report, double pageTextHeight) {
    l.paragraph(toQ(report.program), textFont(10), GroupColor);
    l.paragraph(QStringLiteral("Dossier de calcul"), textFont(20, true), HeadingColor, 10);
    if (!report.study.empty()) l.paragraph(toQ(report.study), textFont(14, true), Qt::black, 6);
    l.paragraph(QStringLiteral("Date : ") + toQ(report.date), textFont(10), Qt::black, 6);
    // The first page tells a reader what the dossier is about: the site, then its sections.
    if (!report.site.empty()) {
        l.paragraph(QStringLiteral("Site"), textFont(10, true), Qt::black, 14);
        for (const auto& line : report.site) l.paragraph(toQ(line), textFont(10), Qt::black, 2);
    }
    if (!report.windows.empty()) {
        l.paragraph(QStringLiteral("Sections du dossier"), textFont(10, true), Qt::black, 14);
        int n = 0;
        for (const auto& w : report.windows)
            l.paragraph(
                QString::number(++n) + QStringLiteral(". ") + toQ(w.section) +
                    (w.section != w.title ? QStringLiteral("  (") + toQ(w.title) + QStringLiteral(")") : QString()),
                textFont(10), Qt::black, 2);
    }
    int n = 0;
    for (const auto& w : report.windows) {
        // Each section starts a page, after the first page.
        l.heading(QString::number(++n) + QStringLiteral(". ") + toQ(w.section), 15, true);
        if (w.section != w.title) l.paragraph(toQ(w.title), textFont(9), GroupColor, 2);
        if (!w.inputs.empty()) {
            l.heading(toQ(ReportInputsTitle), 12);
            l.groups(w.inputs);
        }
        l.heading(toQ(ReportResultsTitle), 12);
        if (!w.calculated)
            l.paragraph(toQ(NoCalculationText), textFont(10, true), Qt::black, 4);
        else
            l.groups(w.results);
        if (!w.messages.empty() || !w.observations.empty()) {
            l.heading(toQ(ReportObservationsTitle), 12);
            for (const auto& m : w.messages) {
                QString text = toQ(m).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed();
                l.paragraph(text, textFont(9.5), Qt::black, 4);
            }
            for (const auto& g : w.observations) {
                if (!g.title.empty()) l.paragraph(toQ(g.title), textFont(9, true), GroupColor, 6, true);
                for (const auto& r : g.rows) l.paragraph(toQ(r.caption), textFont(9.5), Qt::black, 1);
            }
        }
        if (!w.figures.empty()) {
            l.heading(toQ(figuresTitle(w)), 12);
            for (const auto& f : w.figures) l.figure(f, pageTextHeight * 0.55);
        }
        if (!trim(w.method).empty()) {
            l.heading(toQ(ReportMethodTitle), 12);
            const QString method = toQ(trimRight(w.method)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            for (const QString& para : method.split(QLatin1Char('\n')))
                if (!para.trimmed().isEmpty()) l.paragraph(para.trimmed(), textFont(9.5), Qt::black, 4);
        }
    }
}

}  // namespace

QByteArray reportPdf(const Report& report, int* pageCount) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(Resolution);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setTitle(toQ(report.study.empty() ? std::string("Dossier de calcul") : report.study));
    writer.setCreator(toQ(report.program));

    const QRectF page(0, 0, writer.width(), writer.height());
    const double margin = MarginMm * MmToUnit;
    const QRectF text = page.adjusted(margin, margin, -margin, -margin);

    Layout layout(writer, text.width());
    buildBlocks(layout, report, text.height());

    // Pages: a block goes to the next page when it does not fit, a heading when the
    // block after it would not fit with it.
    std::vector<std::vector<std::pair<const Block*, double>>> pages(1);
    double y = 0;
    const auto& blocks = layout.blocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        double need = b.height;
        for (std::size_t j = i; j + 1 < blocks.size() && blocks[j].keepWithNext; ++j) need += blocks[j + 1].height;
        need = std::min(need, text.height());
        const bool full = y > 0 && y + need > text.height();
        if ((b.newPage && !pages.back().empty()) || full) {
            pages.emplace_back();
            y = 0;
        }
        pages.back().push_back({&b, y});
        y += b.height;
    }

    QPainter painter;
    if (!painter.begin(&writer)) throw CalcError(ErrPathAccess);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const int total = static_cast<int>(pages.size());
    const QString footerLeft =
        (report.study.empty() ? QString() : toQ(report.study) + QStringLiteral("  —  ")) + toQ(report.date);
    for (int n = 0; n < total; ++n) {
        if (n > 0) writer.newPage();
        painter.save();
        painter.translate(text.topLeft());
        painter.setClipRect(QRectF(-2, -2, text.width() + 4, text.height() + 4));
        for (const auto& [block, top] : pages[static_cast<std::size_t>(n)]) block->paint(painter, top);
        painter.restore();

        const QFont footer = textFont(8);
        painter.setFont(footer);
        painter.setPen(GroupColor);
        const double base = page.height() - FooterMm * MmToUnit;
        const QRectF line(text.left(), base - 14, text.width(), 16);
        painter.setPen(QPen(RuleColor, 0.5));
        painter.drawLine(QPointF(text.left(), line.top() - 3), QPointF(text.right(), line.top() - 3));
        painter.setPen(GroupColor);
        // The footer is one line: a long study name gives way (shortened in its middle) to the page number.
        const QString pageText = QStringLiteral("page %1 / %2").arg(n + 1).arg(total);
        const QFontMetricsF fm(footer, &writer);
        const double room = text.width() - fm.horizontalAdvance(pageText) - 6 * MmToUnit;
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, fm.elidedText(footerLeft, Qt::ElideMiddle, room));
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, pageText);
    }
    painter.end();
    if (pageCount) *pageCount = total;
    return bytes;
}

int writeReportPdf(const Report& report, const std::filesystem::path& target) {
    int pages = 0;
    const QByteArray bytes = reportPdf(report, &pages);
    saveBytes(target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return pages;
}

std::string dossierFileName(const std::string& study) {
    std::string out;
    for (unsigned char ch : trim(study)) {
        const bool refused =
            ch < 0x20 || ch == 0x7F || std::string_view("/\\:*?\"<>|").find(char(ch)) != std::string_view::npos;
        out += refused ? '_' : char(ch);
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
    if (out.empty() || out[0] == '.') out = "Dossier" + out;
    return out + ".pdf";
}

bool QtPlatform::saveDossier(const Report& report) {
    // The folder chosen last, for the next dossier of this run.
    static QString folder = QDir::homePath();
    const QString proposal = QDir(folder).filePath(toQ(dossierFileName(report.study)));
    const auto answer = chooseFileToSave("Enregistrer le dossier PDF", fromQ(proposal), "Documents PDF (*.pdf)");
    if (!answer || answer->empty()) return false;
    QString chosen = toQ(*answer);
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".pdf");
    folder = QFileInfo(chosen).absolutePath();
    setBusy(true);
    try {
        writeReportPdf(report, pathFromUtf8(fromQ(chosen)));
    } catch (...) {
        setBusy(false);
        throw;
    }
    setBusy(false);
    return true;
}

}  // namespace aub
