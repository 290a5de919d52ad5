#include "HtmlExport.h"

#include "common/FileIo.h"
#include "common/TextCodec.h"
#include "document/Notebook.h"

#include <QCoreApplication>

namespace kelto {

namespace {

constexpr QLatin1String CrLf("\r\n");

QString quoteAttribute(QString value)
{
    value.replace(u'&', QLatin1String("&amp;"));
    value.replace(u'"', QLatin1String("&quot;"));
    return u'"' + value + u'"';
}

QString fontRule(QStringView selector, const HtmlExportOptions& options)
{
    return QStringLiteral("  %1 { font-family: %2; font-size: %3pt;}")
        .arg(selector, options.linkFont, QString::number(options.linkSize));
}

// The head element, one entry of the line list holding several lines.
QString head(const Notebook& notebook, const HtmlExportOptions& options, QStringView charset)
{
    QString content = CrLf +
                      htmlTag(2, u"meta", {QStringLiteral("http-equiv"), QStringLiteral("content")},
                              {QStringLiteral("Content-Type"),
                               QStringLiteral("text/html; charset=") + charset.toString()},
                              QString(), HtmlOpen) +
                      CrLf;
    if (options.documentInfo) {
        const DocumentProperties& p = notebook.properties();
        const QString generator =
            options.generator.isEmpty() ? QCoreApplication::applicationName() : options.generator;
        const std::pair<QString, QString> metas[] = {
            {QStringLiteral("Generator"), QStringLiteral("%1 v%2").arg(generator).arg(1)},
            {QStringLiteral("Author"), p.value(DocumentProperties::Author)},
            {QStringLiteral("Reply-To"), p.value(DocumentProperties::Addr)},
            {QStringLiteral("Description"), p.value(DocumentProperties::Descript)},
            {QStringLiteral("Keywords"), p.value(DocumentProperties::KeyWords)},
        };
        QStringList lines{htmlTag(2, u"title", {}, {},
                                  escapeHtml(p.value(DocumentProperties::Name)), HtmlElement)};
        for (const auto& [name, value] : metas)
            lines << htmlTag(2, u"meta", {QStringLiteral("name"), QStringLiteral("content")},
                             {name, value}, QString(), HtmlOpen);
        lines << htmlTag(0, u"style", {QStringLiteral("name")}, {QStringLiteral("internal_styles")},
                         QString(), HtmlOpen)
              << fontRule(u"body", options) << fontRule(u"pre", options)
              << htmlTag(0, u"style", {}, {}, QString(), HtmlClose);
        content += lines.join(CrLf) + CrLf;
    }
    return htmlTag(0, u"head", {}, {}, content, HtmlElement);
}

QString entryLine(const Notebook& notebook, const Section* section, int indent)
{
    const QString index = QString::number(notebook.indexOf(section));
    const QString link = htmlTag(0, u"a", {QStringLiteral("href"), QStringLiteral("name")},
                                 {u'#' + index, QStringLiteral("bk") + index},
                                 escapeHtml(section->caption()), HtmlElement);
    return htmlTag(indent, u"li", {}, {}, link, HtmlOpen);
}

// A nested list of sections, each with its depth below the list's top (1
// for the top entries); deeper entries open a list, shallower ones close
// the lists between.
void writeContents(const Notebook& notebook,
                   const std::vector<std::pair<const Section*, int>>& entries, QStringList& lines)
{
    if (entries.empty())
        return;
    const auto ul = [&](int depth, int part) {
        lines << htmlTag(2 * depth, u"ul", {}, {}, QString(), part);
    };
    ul(1, HtmlOpen);
    int cur = 1;
    for (const auto& [section, depth] : entries) {
        if (depth > cur)
            ul(depth, HtmlOpen);
        for (int k = cur; k > depth; --k)
            ul(k, HtmlClose);
        cur = depth;
        lines << entryLine(notebook, section, 2 * depth + 2);
    }
    for (int k = cur; k >= 1; --k)
        ul(k, HtmlClose);
}

void writeContentsOf(const Notebook& notebook, const SectionRange& range, ExportRange kind,
                     QStringList& lines)
{
    const bool withTop = kind == ExportRange::Branch || kind == ExportRange::SectionOnly;
    if (withTop) {
        lines << htmlTag(0, u"ul", {}, {}, QString(), HtmlOpen);
        lines << entryLine(notebook, range.begin()->section, 2);
    }
    if (kind != ExportRange::SectionOnly) {
        std::vector<std::pair<const Section*, int>> entries;
        for (auto it = range.begin() + (withTop ? 1 : 0); it != range.end(); ++it)
            entries.emplace_back(it->section, withTop ? it->level : it->level + 1);
        writeContents(notebook, entries, lines);
    }
    if (withTop)
        lines << htmlTag(0, u"ul", {}, {}, QString(), HtmlClose);
}

void writeSection(const Notebook& notebook, const Section* section,
                  const HtmlExportOptions& options, QStringList& lines)
{
    const QString index = QString::number(notebook.indexOf(section));
    lines << QStringLiteral("<!------------------------- Секция %1 ------------------------->")
                 .arg(index);
    if (!options.delimiter.isEmpty())
        lines << options.delimiter;
    lines << htmlTag(0, u"a", {QStringLiteral("name")}, {index}, QString(), HtmlElement);
    const QString heading = options.pathCaptions ? sectionPath(section) : section->caption();
    lines << htmlTag(0, u"h3", {}, {}, escapeHtml(heading), HtmlElement);
    lines << QStringLiteral("<pre>") << escapeHtml(section->body().text()).replace(u'\n', CrLf)
          << QStringLiteral("</pre>");
    lines << htmlTag(0, u"a", {QStringLiteral("align"), QStringLiteral("href")},
                     {QStringLiteral("right"), QStringLiteral("#bk") + index},
                     QStringLiteral("Наверх"), HtmlElement)
          << QString();
}

void writeBody(const Notebook& notebook, const HtmlExportOptions& options, QStringList& lines)
{
    lines << htmlTag(0, u"body",
                     {QStringLiteral("bgcolor"), QStringLiteral("link"), QStringLiteral("alink"),
                      QStringLiteral("vlink")},
                     {htmlColor(options.bgColor), htmlColor(options.link), htmlColor(options.aLink),
                      htmlColor(options.vLink)},
                     QString(), HtmlOpen)
          << htmlTag(0, u"h2", {}, {}, QStringLiteral("Содержание"), HtmlElement);
    if (!notebook.isEmpty()) {
        const SectionRange range(notebook, options.range, options.selected);
        writeContentsOf(notebook, range, options.range, lines);
        lines << QString();
        if (options.objects == ExportObjects::CaptionsAndBodies) {
            for (const SectionRange::Entry& e : range)
                writeSection(notebook, e.section, options, lines);
        }
    }
    lines << QStringLiteral("</body>");
}

} // namespace

QString htmlTag(int indent, QStringView tag, const QStringList& names, const QStringList& values,
                const QString& content, int parts)
{
    QString out(qMax(indent, 0), u' ');
    if (parts & HtmlOpen) {
        out += u'<';
        out += tag;
        for (qsizetype i = 0; i < qMin(names.size(), values.size()); ++i)
            out += u' ' + names[i] + u'=' + quoteAttribute(values[i]);
        out += u'>';
    }
    out += content;
    if (parts & HtmlClose)
        out += QLatin1String("</") + tag.toString() + u'>';
    return out;
}

QString escapeHtml(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1String("&quot;"), QLatin1String("\""));
}

QString htmlColor(int colour)
{
    const quint32 c = quint32(colour);
    const quint32 rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    return QString::number(rgb, 16).toUpper().rightJustified(6, u'0');
}

QByteArray BuildHtmlExport(const Notebook& notebook, const HtmlExportOptions& options)
{
    QStringList lines{QStringLiteral("<html>"), head(notebook, options, u"windows-1251"),
                      QString()};
    writeBody(notebook, options, lines);
    lines << QStringLiteral("</html>");
    const QString text = lines.join(CrLf) + CrLf;
    if (cp1251::canEncode(text))
        return cp1251::encode(text);
    lines[1] = head(notebook, options, u"utf-8");
    return (lines.join(CrLf) + CrLf).toUtf8();
}

void ExportHtml(const Notebook& notebook, const QString& fileName, const HtmlExportOptions& options)
{
    writeFileAtomically(fileName, BuildHtmlExport(notebook, options));
}

} // namespace kelto
