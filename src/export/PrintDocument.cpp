// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintDocument.h"

#include "common/Clock.h"
#include "common/FileIo.h"
#include "common/KeltoError.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "tools/DateTimeFormat.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kelto {

namespace {

const QString NoAreaMessage =
    QStringLiteral("Поля страницы не оставляют места для текста. Уменьшите их в параметрах "
                   "страницы.");

// Lays paragraphs out line by line and moves to a new page when the next
// line does not fit. Each paragraph is laid out on its own, so a printout
// of any length stays within the coordinates a text layout can hold (a
// single document of thousands of pages overflows them and loses text).
class PageFlow
{
public:
    PageFlow(QPagedPaintDevice& device, const QFont& font, const QRect& area)
        : m_device(device), m_font(font), m_area(area),
          m_emptyLine(QFontMetricsF(font, &device).lineSpacing())
    {
        // Tabs stop every half inch. The distance is given in pixels of a
        // 96 dpi screen; the layout scales it to the device.
        m_option.setTabStopDistance(48);
        m_option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        if (!m_painter.begin(&device))
            throw KeltoError(QStringLiteral("Не удалось начать печать."));
    }

    void paragraph(const QString& text)
    {
        if (text.isEmpty()) {
            advance(m_emptyLine);
            m_y += m_emptyLine;
            return;
        }
        QTextLayout layout(text, m_font, &m_device);
        layout.setTextOption(m_option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(m_area.width());
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            advance(line.height());
            line.draw(&m_painter, QPointF(m_area.left(), m_area.top() + m_y - line.y()));
            m_y += line.height();
        }
    }

    void finish() { m_painter.end(); }

private:
    // A new page when a line of this height does not fit on this one (a
    // line taller than the whole area goes on a page of its own).
    void advance(qreal height)
    {
        if (m_y > 0 && m_y + height > m_area.height()) {
            if (!m_device.newPage())
                throw KeltoError(QStringLiteral("Не удалось начать новую страницу печати."));
            m_y = 0;
        }
    }

    QPagedPaintDevice& m_device;
    QFont m_font;
    QRect m_area;
    qreal m_emptyLine;
    QTextOption m_option;
    QPainter m_painter;
    qreal m_y = 0;
};

void printParagraphs(QPagedPaintDevice& device, const QStringList& paragraphs, const QFont& font,
                     const QRect& area)
{
#ifdef __GLIBC__
    // The PDF writer takes and frees buffers of several megabytes for every
    // page. By default glibc gives such buffers back to the system and the
    // next page faults them in again, which doubles the time of a long
    // printout; these limits keep them in the heap for reuse.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
    PageFlow flow(device, font, area);
    for (const QString& paragraph : paragraphs)
        flow.paragraph(paragraph);
    flow.finish();
}

} // namespace

QFont fontFromSpec(const FontSpec& stored)
{
    QFont font(stored.name);
    if (stored.name.contains(QLatin1String("Courier"), Qt::CaseInsensitive))
        font.setStyleHint(QFont::TypeWriter);
    if (stored.size > 0)
        font.setPointSize(stored.size);
    font.setBold(stored.bold);
    font.setItalic(stored.italic);
    font.setUnderline(stored.underline);
    font.setStrikeOut(stored.strikeOut);
    return font;
}

PrinterMetrics metricsOf(const QPagedPaintDevice& device)
{
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    const QPageLayout hardware(layout.pageSize(), layout.orientation(), layout.minimumMargins(),
                               layout.units());
    return {double(dpi), double(device.logicalDpiY()), layout.fullRectPixels(dpi),
            hardware.paintRectPixels(dpi)};
}

void PrintSections(QPagedPaintDevice& device, const Notebook& notebook,
                   const std::vector<const Section*>& sections, bool contents, bool documentInfo,
                   const TpIniFile& settings)
{
    const QRect area = printArea(metricsOf(device), settings.ReadMargins());
    if (area.isEmpty())
        throw KeltoError(NoAreaMessage);
    FontSpec stored;
    settings.ReadFont(keys::EditorFont, stored);
    QFont font = fontFromSpec(stored);
    // Every character of a fixed-pitch font takes the same width, so there
    // is no kerning to apply; skipping the shaping pass then changes nothing
    // on paper and takes a third off the time of laying out the text.
    const QFontMetricsF metrics(font, &device);
    if (metrics.horizontalAdvance(u'i') == metrics.horizontalAdvance(u'W'))
        font.setStyleStrategy(QFont::PreferNoShaping);
    PrintChoices choices;
    choices.documentInfo = documentInfo;
    choices.contents = contents;
    const double dash = metrics.horizontalAdvance(u'-');
    choices.ruleLength = dash > 0 ? int(area.width() / dash) : 0;
    choices.printedAt = formatDateTime(u"c", currentDateTime(), systemDateTimeLocale());
    printParagraphs(device, composePrint(notebook, sections, choices), font, area);
}

void PrintSectionsToPdf(const PdfTarget& target, const Notebook& notebook,
                        const std::vector<const Section*>& sections, bool contents,
                        bool documentInfo, const TpIniFile& settings)
{
    QSaveFile file(target.path);
    file.setDirectWriteFallback(false);
    const auto failed = [&file] {
        return KeltoError(QStringLiteral("Не удалось записать файл \"%1\".\n%2")
                              .arg(file.fileName(), fileErrorReason(file.errorString())));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw failed();
    {
        QPdfWriter writer(&file);
        writer.setTitle(target.title);
        writer.setCreator(target.creator);
        if (target.layout)
            writer.setPageLayout(*target.layout);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        PrintSections(writer, notebook, sections, contents, documentInfo, settings);
    }
    if (!file.commit())
        throw failed();
}

} // namespace kelto
