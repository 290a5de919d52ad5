// SPDX-License-Identifier: GPL-3.0-or-later
#include "HtmlExport.h"

#include "common/FileIo.h"
#include "common/TextCodec.h"
#include "document/Notebook.h"
#include "export/ExportWriter.h"

#include <QFileInfo>

namespace kelto {

namespace {

constexpr QLatin1String CrLf("\r\n");

QString attributeText(QString value)
{
    value.replace(u'&', QLatin1String("&amp;"));
    value.replace(u'"', QLatin1String("&quot;"));
    return value;
}

// Writes one page into a sink, line by line, so a page of any size is built
// once, in its final encoding.
class PageWriter
{
public:
    PageWriter(const Notebook& notebook, const HtmlExportOptions& options, HtmlPage page,
               const QString& fileName, ExportWriter& sink)
        : m_notebook(notebook), m_options(options), m_page(page), m_sink(sink)
    {
        if (page != HtmlPage::Whole) {
            m_contentsName = QFileInfo(htmlPagePath(fileName, HtmlPage::Contents)).fileName();
            m_dataName = QFileInfo(htmlPagePath(fileName, HtmlPage::Data)).fileName();
        }
        m_entryHref = attributeText(m_dataName + u'#');
        m_topHref = attributeText(m_contentsName + QLatin1String("#bk"));
        if (page == HtmlPage::Contents)
            m_entryTarget = QStringLiteral(" target=\"data\"");
        if (page == HtmlPage::Data)
            m_topTarget = QStringLiteral(" target=\"contents\"");
    }

    void write(QStringView charset)
    {
        line(QStringLiteral("<html>"));
        writeHead(charset);
        line(QString());
        if (m_page == HtmlPage::Frameset)
            writeFrameset();
        else
            writeBody();
        line(QStringLiteral("</html>"));
    }

private:
    void line(const QString& text)
    {
        m_sink.text(text);
        m_sink.text(u"\r\n");
    }

    void writeHead(QStringView charset)
    {
        line(QStringLiteral("<head>"));
        line(htmlTag(2, u"meta", {QStringLiteral("http-equiv"), QStringLiteral("content")},
                     {QStringLiteral("Content-Type"),
                      QStringLiteral("text/html; charset=") + charset.toString()},
                     QString(), HtmlOpen));
        if (m_options.documentInfo)
            writeDocumentInfo();
        line(QStringLiteral("</head>"));
    }

    void writeDocumentInfo()
    {
        const DocumentProperties& p = m_notebook.properties();
        const std::pair<QString, QString> metas[] = {
            {QStringLiteral("Generator"),
             QStringLiteral("%1 v%2").arg(QStringLiteral("Тримбель")).arg(1)},
            {QStringLiteral("Author"), p.value(DocumentProperties::Author)},
            {QStringLiteral("Reply-To"), p.value(DocumentProperties::Addr)},
            {QStringLiteral("Description"), p.value(DocumentProperties::Descript)},
            {QStringLiteral("Keywords"), p.value(DocumentProperties::KeyWords)},
        };
        line(htmlTag(2, u"title", {}, {}, escapeHtml(p.value(DocumentProperties::Name)),
                     HtmlElement));
        for (const auto& [name, value] : metas)
            line(htmlTag(2, u"meta", {QStringLiteral("name"), QStringLiteral("content")},
                         {name, value}, QString(), HtmlOpen));
        line(htmlTag(0, u"style", {QStringLiteral("name")}, {QStringLiteral("internal_styles")},
                     QString(), HtmlOpen));
        line(fontRule(u"body"));
        line(fontRule(u"pre"));
        line(htmlTag(0, u"style", {}, {}, QString(), HtmlClose));
    }

    QString fontRule(QStringView selector) const
    {
        return QStringLiteral("  %1 { font-family: %2; font-size: %3pt;}")
            .arg(selector, m_options.linkFont, QString::number(m_options.linkSize));
    }

    void writeFrameset()
    {
        const QString split =
            m_options.frames == FrameLayout::Rows ? QStringLiteral("rows") : QStringLiteral("cols");
        line(htmlTag(0, u"frameset", {split}, {QStringLiteral("250,*")}, QString(), HtmlOpen));
        line(htmlTag(2, u"frame", {QStringLiteral("src"), QStringLiteral("name")},
                     {m_contentsName, QStringLiteral("contents")}, QString(), HtmlOpen));
        line(htmlTag(2, u"frame", {QStringLiteral("src"), QStringLiteral("name")},
                     {m_dataName, QStringLiteral("data")}, QString(), HtmlOpen));
        line(htmlTag(0, u"frameset", {}, {}, QString(), HtmlClose));
    }

    void writeBody()
    {
        line(htmlTag(0, u"body",
                     {QStringLiteral("bgcolor"), QStringLiteral("link"), QStringLiteral("alink"),
                      QStringLiteral("vlink")},
                     {htmlColor(m_options.bgColor), htmlColor(m_options.link),
                      htmlColor(m_options.aLink), htmlColor(m_options.vLink)},
                     QString(), HtmlOpen));
        if (m_page != HtmlPage::Data)
            line(htmlTag(0, u"h2", {}, {}, QStringLiteral("Содержание"), HtmlElement));
        if (!m_notebook.isEmpty()) {
            const SectionRange range(m_notebook, m_options.range, m_options.selected);
            if (m_page != HtmlPage::Data) {
                writeContentsOf(range);
                line(QString());
            }
            if (m_page != HtmlPage::Contents &&
                m_options.objects == ExportObjects::CaptionsAndBodies) {
                std::size_t done = 0;
                for (const SectionRange::Entry& e : range) {
                    writeSection(e.section);
                    m_sink.written(++done, range.size());
                }
            }
        }
        line(QStringLiteral("</body>"));
    }

    // A contents entry opens its section: in the frame beside it when the
    // contents are a page of their own.
    QString entryLine(const Section* section, int indent) const
    {
        const QString index = QString::number(m_notebook.indexOf(section));
        return QString(indent, u' ') + QLatin1String("<li><a href=\"") + m_entryHref + index +
               QLatin1String("\" name=\"bk") + index + u'"' + m_entryTarget + u'>' +
               escapeHtml(section->caption()) + QLatin1String("</a>");
    }

    // A nested list of sections, each with its depth below the list's top
    // (1 for the top entries); deeper entries open a list, shallower ones
    // close the lists between.
    void writeContents(SectionRange::Iterator begin, SectionRange::Iterator end, int shift)
    {
        if (begin == end)
            return;
        const auto ul = [this](int depth, int part) {
            line(htmlTag(2 * depth, u"ul", {}, {}, QString(), part));
        };
        ul(1, HtmlOpen);
        int cur = 1;
        for (auto it = begin; it != end; ++it) {
            const int depth = it->level + shift;
            if (depth > cur)
                ul(depth, HtmlOpen);
            for (int k = cur; k > depth; --k)
                ul(k, HtmlClose);
            cur = depth;
            line(entryLine(it->section, 2 * depth + 2));
        }
        for (int k = cur; k >= 1; --k)
            ul(k, HtmlClose);
    }

    void writeContentsOf(const SectionRange& range)
    {
        const ExportRange kind = m_options.range;
        const bool withTop = kind == ExportRange::Branch || kind == ExportRange::SectionOnly;
        if (withTop) {
            line(htmlTag(0, u"ul", {}, {}, QString(), HtmlOpen));
            line(entryLine(range.begin()->section, 2));
        }
        if (kind != ExportRange::SectionOnly)
            writeContents(range.begin() + (withTop ? 1 : 0), range.end(), withTop ? 0 : 1);
        if (withTop)
            line(htmlTag(0, u"ul", {}, {}, QString(), HtmlClose));
    }

    // The section's block ends with a link back to its contents entry: in
    // the contents frame when the contents are a page of their own.
    void writeSection(const Section* section)
    {
        const QString index = QString::number(m_notebook.indexOf(section));
        const QString heading = m_options.pathCaptions ? sectionPath(section) : section->caption();
        QString head = QStringLiteral("<!------------------------- Секция ") + index +
                       QLatin1String(" ------------------------->\r\n");
        if (!m_options.delimiter.isEmpty())
            head += m_options.delimiter + CrLf;
        m_sink.text(head + QLatin1String("<a name=\"") + index + QLatin1String("\"></a>\r\n<h3>") +
                    escapeHtml(heading) + QLatin1String("</h3>\r\n<pre>\r\n"));
        m_sink.htmlBody(section->body());
        m_sink.text(QLatin1String("\r\n</pre>\r\n<a align=\"right\" href=\"") + m_topHref + index +
                    u'"' + m_topTarget + QStringLiteral(">Наверх</a>\r\n\r\n"));
    }

    const Notebook& m_notebook;
    const HtmlExportOptions& m_options;
    HtmlPage m_page;
    ExportWriter& m_sink;
    QString m_contentsName; // the contents page's and the data page's file
    QString m_dataName;     // names, empty in a single page
    // Where contents entries and the links back to them lead, quoted for an
    // attribute, and their target frame attributes.
    QString m_entryHref, m_entryTarget, m_topHref, m_topTarget;
};

} // namespace

QString htmlTag(int indent, QStringView tag, const QStringList& names, const QStringList& values,
                const QString& content, int parts)
{
    QString out(qMax(indent, 0), u' ');
    if (parts & HtmlOpen) {
        out += u'<';
        out += tag;
        for (qsizetype i = 0; i < qMin(names.size(), values.size()); ++i)
            out += u' ' + names[i] + QLatin1String("=\"") + attributeText(values[i]) + u'"';
        out += u'>';
    }
    out += content;
    if (parts & HtmlClose)
        out += QLatin1String("</") + tag.toString() + u'>';
    return out;
}

QString escapeHtml(const QString& text)
{
    QString out;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QLatin1String entity = c == u'&'   ? QLatin1String("&amp;")
                                     : c == u'<' ? QLatin1String("&lt;")
                                     : c == u'>' ? QLatin1String("&gt;")
                                                 : QLatin1String();
        if (!entity.isEmpty()) {
            out += QStringView(text).sliced(from, i - from);
            out += entity;
            from = i + 1;
        }
    }
    if (from == 0)
        return text;
    out += QStringView(text).sliced(from);
    return out;
}

QString htmlColor(int colour)
{
    const quint32 c = quint32(colour);
    const quint32 rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    return QString::number(rgb, 16).toUpper().rightJustified(6, u'0');
}

QString stripExtension(const QString& name)
{
    const qsizetype slash = name.lastIndexOf(u'/');
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > slash ? name.left(dot) : name;
}

QString htmlPagePath(const QString& fileName, HtmlPage page)
{
    if (page == HtmlPage::Whole || page == HtmlPage::Frameset)
        return fileName;
    const QString base = stripExtension(fileName);
    return base + (page == HtmlPage::Contents ? QLatin1String("_c") : QLatin1String("_d")) +
           fileName.mid(base.size());
}

QByteArray BuildHtmlExport(const Notebook& notebook, const HtmlExportOptions& options,
                           HtmlPage page, const QString& fileName, AtomicFileWriter* file)
{
    return exportInFittingEncoding(options, file, {}, [&](ExportWriter& writer) {
        PageWriter(notebook, options, page, fileName, writer)
            .write(writer.encoding() == TextEncoding::Cp1251 ? u"windows-1251" : u"utf-8");
    });
}

void ExportHtml(const Notebook& notebook, const QString& fileName, const HtmlExportOptions& options)
{
    const auto pages =
        options.frames == FrameLayout::None
            ? std::vector<HtmlPage>{HtmlPage::Whole}
            : std::vector<HtmlPage>{HtmlPage::Contents, HtmlPage::Data, HtmlPage::Frameset};
    for (HtmlPage page : pages) {
        AtomicFileWriter file(htmlPagePath(fileName, page));
        BuildHtmlExport(notebook, options, page, fileName, &file);
        file.commit();
    }
}

} // namespace kelto
