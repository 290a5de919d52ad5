// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliCommands.h"

#include "common/Clock.h"
#include "common/FileIo.h"
#include "common/KeltoError.h"
#include "document/ImportFile.h"
#include "document/Notebook.h"
#include "document/NotebookFile.h"
#include "export/ExportJob.h"
#include "export/PrintDocument.h"
#include "search/FindInput.h"
#include "search/TextSearch.h"
#include "settings/ConfigLocation.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"
#include "tools/DateTimeFormat.h"

#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace kelto::cli {

namespace {

// A usage error: the message goes to stderr with the usage text.
struct UsageProblem
{
    QString message;
};

class Output
{
public:
    explicit Output(QByteArray& bytes) : m_bytes(bytes) {}
    Output& operator<<(const QString& text)
    {
        m_bytes += text.toUtf8();
        return *this;
    }
    Output& operator<<(const char* text)
    {
        m_bytes += text;
        return *this;
    }
    Output& operator<<(qsizetype number)
    {
        m_bytes += QByteArray::number(number);
        return *this;
    }

private:
    QByteArray& m_bytes;
};

int parseNumber(const QString& text, int low, int high, const char* what)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) {
        throw UsageProblem{QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
                               .arg(QLatin1String(what))
                               .arg(low)
                               .arg(high)
                               .arg(text)};
    }
    return value;
}

TpIniFile loadSettings()
{
    return TpIniFile(settingsFilePath());
}

void checkExists(const QString& path)
{
    if (!QFileInfo::exists(path))
        throw KeltoError(QStringLiteral("Файл \"%1\" не найден.").arg(path));
}

// The notebook as a listing needs it: no body read but the one asked for
// (-1: none). Every body's length is still checked, as a whole read does.
std::unique_ptr<Notebook> openOutline(const QString& path, int bodyIndex = -1)
{
    checkExists(path);
    auto notebook = std::make_unique<Notebook>();
    ReadNotebookOutline(path, *notebook, bodyIndex);
    return notebook;
}

std::unique_ptr<Notebook> openNotebook(const QString& path)
{
    checkExists(path);
    auto notebook = std::make_unique<Notebook>();
    ReadNotebook(path, *notebook);
    notebook->setFileName(QFileInfo(path).absoluteFilePath());
    return notebook;
}

// --- the command line

// An option of a command: a flag, or a name followed by a value. A value
// that is a number is checked against its range as the line is read.
struct Option
{
    const char* name;
    const char* value = nullptr; // how the usage shows it; null for a flag
    int low = 0;
    int high = -1; // a number from low to high when low <= high
};

// A command line read against its command's options.
class Arguments
{
public:
    QStringList positionals;

    bool has(const char* name) const { return m_options.contains(QLatin1String(name)); }
    // The value given last; every value of an option given more than once.
    QString text(const char* name) const { return texts(name).value(0); }
    QStringList texts(const char* name) const { return m_options.value(QLatin1String(name)); }
    // A number option; its range was checked when it was read.
    int number(const char* name, int fallback) const
    {
        return has(name) ? text(name).toInt() : fallback;
    }
    void set(const QString& name, const QString& value) { m_options[name].prepend(value); }

private:
    QHash<QString, QStringList> m_options; // flags with an empty value
};

using Handler = int (*)(const Arguments&, Output&);

// One row of the command table: what the usage shows, what the line may
// hold and what runs it.
struct Command
{
    const char* name;
    std::vector<Option> options;
    const char* positionals; // "NOTEBOOK INDEX": one argument per word
    const char* summary;     // may be empty
    Handler run;
};

qsizetype wordCount(const char* text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts).size();
}

const Option* findOption(const Command& command, const QString& name)
{
    for (const Option& option : command.options) {
        if (name == QLatin1String(option.name))
            return &option;
    }
    return nullptr;
}

Arguments parseArguments(const Command& command, const QStringList& args)
{
    Arguments a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        // A command may declare short options too ("-i"); any other word
        // starting with "--" is an error, the rest are arguments.
        const Option* option = findOption(command, arg);
        if (!option) {
            if (arg.startsWith(QLatin1String("--")))
                throw UsageProblem{QStringLiteral("unknown option %1").arg(arg)};
            a.positionals << arg;
            continue;
        }
        QString value;
        if (option->value) {
            if (i + 1 >= args.size())
                throw UsageProblem{QStringLiteral("%1 needs a value").arg(arg)};
            value = args.at(++i);
            if (option->low <= option->high)
                parseNumber(value, option->low, option->high, option->name);
        }
        a.set(arg, value);
    }
    if (a.positionals.size() != wordCount(command.positionals))
        throw UsageProblem{QStringLiteral("wrong number of arguments")};
    return a;
}

// --- the commands

int commandLs(const Arguments& args, Output& out)
{
    const auto notebook = openOutline(args.positionals.at(0));
    int index = 0;
    forEachDescendant(notebook->container(), [&](const Section* s, int depth) {
        out << index++ << "\t" << qsizetype(depth - 1) << "\t" << s->caption() << "\n";
    });
    return Success;
}

int commandCat(const Arguments& args, Output& out)
{
    const int asked =
        parseNumber(args.positionals.at(1), 0, std::numeric_limits<int>::max(), "INDEX");
    const auto notebook = openOutline(args.positionals.at(0), asked);
    const int count = notebook->sectionCount();
    if (count == 0)
        throw KeltoError(QStringLiteral("В записной книжке нет разделов."));
    const int index = parseNumber(args.positionals.at(1), 0, count - 1, "INDEX");
    out << notebook->sectionAt(index)->body().text();
    return Success;
}

int commandProps(const Arguments& args, Output& out)
{
    const auto notebook = openOutline(args.positionals.at(0));
    for (const QString& line : notebook->properties().lines())
        out << line << "\n";
    return Success;
}

// The format asked for, or the one OUTPUT's extension suggests: "nib",
// "txt" or "html".
QString exportFormat(const Arguments& args)
{
    QString format = args.text("--format");
    if (format.isEmpty()) {
        const QString suffix = QFileInfo(args.positionals.at(1)).suffix().toLower();
        if (suffix == QLatin1String("txt"))
            format = QStringLiteral("txt");
        else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
            format = QStringLiteral("html");
        else
            format = QStringLiteral("nib");
    }
    if (format != QLatin1String("nib") && format != QLatin1String("txt") &&
        format != QLatin1String("html"))
        throw UsageProblem{QStringLiteral("unknown format %1").arg(format)};
    return format;
}

// The section ranges 1-3 start from, made the notebook's current one. It
// defaults to the one the file recorded as current.
Section* exportSelection(const Arguments& args, Notebook& notebook, int range)
{
    const int count = notebook.sectionCount();
    const int index = args.number("--section", notebook.properties().activateIndex(count));
    if (args.has("--section") && index >= count && range != 0) {
        throw UsageProblem{
            QStringLiteral("--section %1 is past the last section (%2)").arg(index).arg(count - 1)};
    }
    Section* selected = notebook.sectionAt(index);
    if (range != 0 && !selected)
        throw KeltoError(QStringLiteral("В записной книжке нет разделов."));
    notebook.setCurrent(selected);
    return selected;
}

int commandExport(const Arguments& args, Output&)
{
    const QString format = exportFormat(args);
    ExportJob job;
    job.format = format == QLatin1String("txt")    ? ExportFormat::Text
                 : format == QLatin1String("html") ? ExportFormat::Html
                                                   : ExportFormat::Notebook;
    job.options.range = ExportRange(args.number("--range", 0));
    job.options.objects = ExportObjects(args.number("--objects", 1));
    job.options.documentInfo = !args.has("--no-doc-info");
    job.options.pathCaptions = args.has("--path");
    job.frames = FrameLayout(args.number("--frames", 0));
    job.fileName = args.positionals.at(1);
    const auto notebook = openNotebook(args.positionals.at(0));
    const TpIniFile settings = loadSettings();
    job.options.selected = exportSelection(args, *notebook, int(job.options.range));
    job.options.delimiter = args.has("--delimiter") ? args.text("--delimiter")
                            : job.format == ExportFormat::Html
                                ? settings.read(keys::exporting::HtmlDelimiter)
                                : settings.read(keys::exporting::TextDelimiter);
    runExport(*notebook, job, settings);
    return Success;
}

// Prints each line of text that holds a match as PATH:LINE:TEXT. Lines are
// only looked at around matches, so a body without one costs one search.
bool grepText(QStringView text, QStringView path, const QString& pattern,
              const SearchOptions& options, Output& out)
{
    bool found = false;
    qsizetype line = 1;
    qsizetype counted = 0; // line breaks before here are in line
    for (TextSpan m = findInText(text, pattern, {0, 0}, options); m.isValid();) {
        line += text.sliced(counted, m.start - counted).count(u'\n');
        const qsizetype start = text.lastIndexOf(u'\n', m.start) + 1;
        qsizetype end = text.indexOf(u'\n', m.end);
        end = end < 0 ? text.size() : end;
        out << path.toString() << ":" << line << ":" << text.sliced(start, end - start).toString()
            << "\n";
        found = true;
        counted = std::min(end + 1, text.size());
        line += end < text.size() ? 1 : 0;
        m = findInText(text, pattern, {counted, counted}, options);
    }
    return found;
}

// The file is streamed section by section: no tree is built, and each body
// is decoded only for its search.
int commandGrep(const Arguments& args, Output& out)
{
    const QString path = args.positionals.at(1);
    checkExists(path);
    SearchOptions options;
    options.matchCase = !args.has("-i");
    options.wholeWord = args.has("-w");
    const QString pattern = args.positionals.at(0);
    bool found = false;
    StreamNotebook(path, [&](const StreamedSection& s) {
        found |= grepText(s.text(), s.path, pattern, options, out);
    });
    return found ? Success : NothingFound;
}

// Every match in every body, sections in pre-order, replaced as the
// window's replace-all does over the whole notebook; the notebook is written
// only when something was replaced.
int commandReplace(const Arguments& args, Output& out)
{
    const QString pattern = searchPattern(args.positionals.at(0));
    if (pattern.isEmpty())
        throw UsageProblem{QStringLiteral("PATTERN must not be empty")};
    const auto notebook = openNotebook(args.positionals.at(2));
    SearchOptions options;
    options.matchCase = !args.has("-i");
    options.wholeWord = args.has("-w");
    options.direction = SearchDirection::Forward;
    options.allFile = true;
    const ReplaceAllResult result =
        replaceAllInBodies(*notebook, notebook->firstSection(), pattern,
                           SectionBody::normalizeBreaks(args.positionals.at(1)), options);
    if (result.replacements == 0)
        return NothingFound;
    WriteOptions write;
    write.createBackup = loadSettings().read(keys::treepad::CreateBackUp);
    WriteNotebook(*notebook, args.positionals.at(3), write);
    out << qsizetype(result.replacements) << "\n";
    return Success;
}

// The notebook the file goes into, with the section it goes under: a copy
// of --into's notebook and its section --under (the top level without it),
// or a new notebook.
std::unique_ptr<Notebook> importTarget(const Arguments& args, Section** parent)
{
    if (!args.has("--into")) {
        if (args.has("--under"))
            throw UsageProblem{QStringLiteral("--under needs --into")};
        return std::make_unique<Notebook>();
    }
    auto notebook = openNotebook(args.text("--into"));
    const int index = args.number("--under", -1);
    if (index >= notebook->sectionCount()) {
        throw UsageProblem{QStringLiteral("--under %1 is past the last section (%2)")
                               .arg(index)
                               .arg(notebook->sectionCount() - 1)};
    }
    *parent = notebook->sectionAt(index);
    return notebook;
}

// Imports as the window's import command does, the new sections made
// current; a TreePad file that stops early writes nothing.
int commandImport(const Arguments& args, Output&)
{
    const QString file = args.positionals.at(0);
    if (importKindOf(file) == ImportKind::Other)
        throw UsageProblem{QStringLiteral("FILE must be a .txt, .hjt or .nib file")};
    Section* parent = nullptr;
    const auto notebook = importTarget(args, &parent);
    const ImportResult result = ImportFile(file, *notebook, parent);
    if (!result.error.isEmpty())
        throw KeltoError(result.error);
    if (result.first)
        notebook->setCurrent(result.first);
    WriteOptions options;
    options.createBackup = loadSettings().read(keys::treepad::CreateBackUp);
    WriteNotebook(*notebook, args.positionals.at(1), options);
    return Success;
}

// The sections a printout takes: all, the ones given (in tree order, each
// once), or the one the file recorded as current.
std::vector<const Section*> printSections(const Arguments& args, const Notebook& notebook)
{
    const int count = notebook.sectionCount();
    std::vector<const Section*> sections;
    if (args.has("--all")) {
        for (const Section* s = notebook.firstSection(); s; s = notebook.nextSection(s))
            sections.push_back(s);
        return sections;
    }
    std::vector<int> indexes;
    for (const QString& text : args.texts("--section")) {
        const int index = text.toInt();
        if (index >= count)
            throw UsageProblem{QStringLiteral("--section %1 is past the last section (%2)")
                                   .arg(index)
                                   .arg(count - 1)};
        indexes.push_back(index);
    }
    if (!args.has("--section") && count > 0)
        indexes.push_back(notebook.properties().activateIndex(count));
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (int index : indexes)
        sections.push_back(notebook.sectionAt(index));
    return sections;
}

// Printing lays text out with fonts, which needs the offscreen platform
// that main() starts for this command.
int commandPrint(const Arguments& args, Output&)
{
    if (args.has("--all") && args.has("--section"))
        throw UsageProblem{QStringLiteral("--all and --section exclude each other")};
    const auto notebook = openNotebook(args.positionals.at(0));
    const TpIniFile settings = loadSettings();
    const std::vector<const Section*> sections = printSections(args, *notebook);
    PrintSectionsToPdf({args.positionals.at(1), QFileInfo(args.positionals.at(0)).fileName(),
                        QStringLiteral("kelto-cli"), std::nullopt},
                       *notebook, sections, args.has("--contents"), args.has("--doc-info"),
                       settings);
    return Success;
}

// The moment of --at, as wall-clock fields; the clock's (or
// SOURCE_DATE_EPOCH's) without it.
QDateTime dateArgument(const Arguments& args)
{
    if (!args.has("--at"))
        return currentDateTime();
    const QString text = args.text("--at");
    const QStringList parts = text.split(u'T');
    const QDate date = QDate::fromString(parts.value(0), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(parts.value(1), QStringLiteral("HH:mm:ss"));
    if (parts.size() != 2 || !date.isValid() || !time.isValid())
        throw UsageProblem{
            QStringLiteral("--at must be YYYY-MM-DDTHH:MM:SS, not \"%1\"").arg(text)};
    // Fields only: a time that a time-zone change skips is still written.
    return QDateTime(date, time, Qt::UTC);
}

QLocale localeArgument(const Arguments& args)
{
    if (!args.has("--locale"))
        return dateLocaleOf(QLocale::system());
    const QString name = args.text("--locale");
    const QLocale locale(name);
    // Qt falls back to "C" for a name it does not know.
    if (locale.language() == QLocale::C && name != QLatin1String("C") &&
        name != QLatin1String("POSIX"))
        throw UsageProblem{QStringLiteral("unknown locale %1").arg(name)};
    return locale;
}

// PATTERN in the program's notation, or the index of one of the formats
// of the date and time insertion.
int commandDate(const Arguments& args, Output& out)
{
    QString pattern = args.positionals.at(0);
    const bool isIndex =
        !pattern.isEmpty() && std::all_of(pattern.cbegin(), pattern.cend(),
                                          [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (isIndex)
        pattern =
            DateTimeFormats[parseNumber(pattern, 0, DateTimeFormatCount - 1, "PATTERN")].toString();
    const QDateTime when = dateArgument(args);
    out << formatDateTime(pattern, when, dateTimeLocale(localeArgument(args))) << "\n";
    return Success;
}

// Every command of kelto-cli, in the order the usage lists them.
const Command Commands[] = {
    {"ls", {}, "NOTEBOOK", "one line per section: index, level, caption", commandLs},
    {"cat", {}, "NOTEBOOK INDEX", "the body of the section with that index", commandCat},
    {"props", {}, "NOTEBOOK", "the document properties, name=value", commandProps},
    {"export",
     {{"--format", "nib|txt|html"},
      {"--range", "0-3", 0, 3},
      {"--section", "INDEX", 0, std::numeric_limits<int>::max()},
      {"--objects", "0-2", 0, 2},
      {"--no-doc-info"},
      {"--path"},
      {"--frames", "0-2", 0, 2},
      {"--delimiter", "TEXT"}},
     "NOTEBOOK OUTPUT",
     "the notebook, or part of it, as a notebook, text or HTML file",
     commandExport},
    {"import",
     {{"--into", "NOTEBOOK"}, {"--under", "INDEX", 0, std::numeric_limits<int>::max()}},
     "FILE OUTPUT",
     "a text, TreePad or notebook file imported",
     commandImport},
    {"print",
     {{"--all"},
      {"--section", "INDEX", 0, std::numeric_limits<int>::max()},
      {"--contents"},
      {"--doc-info"}},
     "NOTEBOOK OUTPUT",
     "the sections as printed, into a PDF file",
     commandPrint},
    {"grep",
     {{"-i"}, {"-w"}},
     "PATTERN NOTEBOOK",
     "body lines holding PATTERN: path:line:text",
     commandGrep},
    {"replace",
     {{"-i"}, {"-w"}},
     "PATTERN REPLACEMENT NOTEBOOK OUTPUT",
     "every match replaced; prints the count",
     commandReplace},
    {"date",
     {{"--at", "YYYY-MM-DDTHH:MM:SS"}, {"--locale", "NAME"}},
     "PATTERN",
     "a date/time pattern, or format 0-13, expanded",
     commandDate},
};

// The usage text, one entry per command: its line (wrapped below its name
// when long), then its summary from column SummaryColumn.
// One command's entry of the usage: its line (wrapped below its name when
// long), then its summary from column SummaryColumn.
QByteArray commandUsage(const Command& command)
{
    constexpr qsizetype LineWidth = 79;
    constexpr qsizetype SummaryColumn = 30;
    QByteArray text;
    QByteArray line = QByteArray("  ") + command.name;
    const QByteArray indent(line.size() + 1, ' ');
    QList<QByteArray> words;
    for (const Option& option : command.options) {
        words << "[" + QByteArray(option.name) +
                     (option.value ? " " + QByteArray(option.value) : QByteArray()) + "]";
    }
    words << command.positionals;
    for (const QByteArray& word : words) {
        if (line.size() + 1 + word.size() > LineWidth) {
            text += line + "\n";
            line = indent.chopped(1);
        }
        line += " " + word;
    }
    if (*command.summary) {
        if (line.size() >= SummaryColumn) {
            text += line + "\n";
            line.clear();
        }
        line += QByteArray(SummaryColumn - line.size(), ' ') + command.summary;
    }
    return text + line + "\n";
}

QByteArray usageText()
{
    QByteArray text = "usage: kelto-cli COMMAND ...  |  kelto-cli --help  |  kelto-cli --version\n"
                      "       kelto-cli help COMMAND  |  kelto-cli COMMAND --help\n";
    for (const Command& command : Commands)
        text += commandUsage(command);
    return text;
}

const Command* findCommand(const QString& name)
{
    for (const Command& command : Commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

} // namespace

QStringList commandNames()
{
    QStringList names;
    for (const Command& command : Commands)
        names << QString::fromLatin1(command.name);
    return names;
}

int run(const QStringList& arguments, QByteArray& outBytes, QByteArray& errBytes)
{
    Output out(outBytes);
    Output err(errBytes);
    if (arguments.isEmpty() || arguments.at(0) == QLatin1String("--help") ||
        arguments.at(0) == QLatin1String("-h")) {
        (arguments.isEmpty() ? errBytes : outBytes) += usageText();
        return arguments.isEmpty() ? UsageError : Success;
    }
    if (arguments == QStringList{QStringLiteral("--version")}) {
        outBytes += "kelto-cli " KELTO_VERSION "\n";
        return Success;
    }
    QByteArray produced;
    Output buffered(produced);
    try {
        // "help COMMAND" and "COMMAND --help": that command's usage alone.
        const bool helpFirst = arguments.at(0) == QLatin1String("help");
        if (helpFirst && arguments.size() == 1) {
            outBytes += usageText();
            return Success;
        }
        const QString name = helpFirst ? arguments.at(1) : arguments.at(0);
        const Command* command = findCommand(name);
        if (!command)
            throw UsageProblem{QStringLiteral("unknown command %1").arg(name)};
        if ((helpFirst && arguments.size() == 2) ||
            (!helpFirst && arguments.mid(1).contains(QStringLiteral("--help")))) {
            outBytes += "usage:\n" + commandUsage(*command);
            return Success;
        }
        if (helpFirst)
            throw UsageProblem{QStringLiteral("help takes one command")};
        const int status = command->run(parseArguments(*command, arguments.mid(1)), buffered);
        outBytes += produced;
        return status;
    } catch (const UsageProblem& p) {
        err << "kelto-cli: " << p.message << "\n";
        errBytes += usageText();
        return UsageError;
    } catch (const KeltoError& e) {
        err << "kelto-cli: " << e.message() << "\n";
        return FileError;
    }
}

} // namespace kelto::cli
