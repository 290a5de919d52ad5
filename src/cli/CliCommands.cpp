#include "CliCommands.h"

#include "common/KeltoError.h"
#include "document/Notebook.h"
#include "document/NotebookFile.h"
#include "settings/ConfigLocation.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QFileInfo>

#include <optional>

namespace kelto::cli {

namespace {

const char Usage[] = "usage: kelto-cli COMMAND ...\n"
                     "  ls NOTEBOOK                 one line per section: index, level, caption\n"
                     "  cat NOTEBOOK INDEX          the body of the section with that index\n"
                     "  props NOTEBOOK              the document properties, name=value\n"
                     "  export [--format nib] [--range 0-3] [--section INDEX] [--objects 0-2]\n"
                     "         [--no-doc-info] NOTEBOOK OUTPUT\n";

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

void expectPositionals(const QStringList& args, int count)
{
    if (args.size() != count)
        throw UsageProblem{QStringLiteral("wrong number of arguments")};
}

TpIniFile loadSettings()
{
    return TpIniFile(settingsFilePath());
}

std::unique_ptr<Notebook> openNotebook(const QString& path)
{
    if (!QFileInfo::exists(path))
        throw KeltoError(QStringLiteral("Файл \"%1\" не найден.").arg(path));
    auto notebook = std::make_unique<Notebook>();
    ReadNotebook(path, *notebook);
    notebook->setFileName(QFileInfo(path).absoluteFilePath());
    return notebook;
}

int commandLs(const QStringList& args, Output& out)
{
    expectPositionals(args, 1);
    const auto notebook = openNotebook(args.at(0));
    int index = 0;
    forEachDescendant(notebook->container(), [&](const Section* s, int depth) {
        out << index++ << "\t" << qsizetype(depth - 1) << "\t" << s->caption() << "\n";
    });
    return Success;
}

int commandCat(const QStringList& args, Output& out)
{
    expectPositionals(args, 2);
    const auto notebook = openNotebook(args.at(0));
    const int count = notebook->sectionCount();
    if (count == 0)
        throw KeltoError(QStringLiteral("В записной книжке нет разделов."));
    const int index = parseNumber(args.at(1), 0, count - 1, "INDEX");
    out << notebook->sectionAt(index)->body().text();
    return Success;
}

int commandProps(const QStringList& args, Output& out)
{
    expectPositionals(args, 1);
    const auto notebook = openNotebook(args.at(0));
    for (const QString& line : notebook->properties().lines())
        out << line << "\n";
    return Success;
}

struct ExportArguments
{
    QString format;
    int range = 0;
    std::optional<int> section;
    int objects = 1;
    bool docInfo = true;
    QStringList positionals;
};

ExportArguments parseExport(const QStringList& args)
{
    ExportArguments a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw UsageProblem{QStringLiteral("%1 needs a value").arg(arg)};
            return args.at(++i);
        };
        if (arg == QLatin1String("--format"))
            a.format = value();
        else if (arg == QLatin1String("--range"))
            a.range = parseNumber(value(), 0, 3, "--range");
        else if (arg == QLatin1String("--section"))
            a.section = parseNumber(value(), 0, std::numeric_limits<int>::max(), "--section");
        else if (arg == QLatin1String("--objects"))
            a.objects = parseNumber(value(), 0, 2, "--objects");
        else if (arg == QLatin1String("--no-doc-info"))
            a.docInfo = false;
        else if (arg.startsWith(QLatin1String("--")))
            throw UsageProblem{QStringLiteral("unknown option %1").arg(arg)};
        else
            a.positionals << arg;
    }
    expectPositionals(a.positionals, 2);
    if (a.format.isEmpty()) {
        const QString suffix = QFileInfo(a.positionals.at(1)).suffix().toLower();
        if (suffix == QLatin1String("txt"))
            a.format = QStringLiteral("txt");
        else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
            a.format = QStringLiteral("html");
        else
            a.format = QStringLiteral("nib");
    }
    if (a.format != QLatin1String("nib")) {
        if (a.format == QLatin1String("txt") || a.format == QLatin1String("html"))
            throw UsageProblem{QStringLiteral("the %1 format is not available yet").arg(a.format)};
        throw UsageProblem{QStringLiteral("unknown format %1").arg(a.format)};
    }
    return a;
}

int commandExport(const QStringList& args)
{
    const ExportArguments a = parseExport(args);
    const auto notebook = openNotebook(a.positionals.at(0));
    const TpIniFile settings = loadSettings();
    int index = 0;
    if (a.section) {
        index = *a.section;
        if (index >= notebook->sectionCount() && a.range != 0) {
            throw UsageProblem{QStringLiteral("--section %1 is past the last section (%2)")
                                   .arg(index)
                                   .arg(notebook->sectionCount() - 1)};
        }
    } else {
        index = notebook->properties().activateIndex(notebook->sectionCount());
    }
    Section* selected = notebook->sectionAt(index);
    if (a.range != 0 && !selected)
        throw KeltoError(QStringLiteral("В записной книжке нет разделов."));
    notebook->setCurrent(selected);
    WriteOptions options;
    options.range = ExportRange(a.range);
    options.bodies = a.objects != 0;
    options.properties = a.docInfo;
    options.createBackup = settings.read(keys::treepad::CreateBackUp);
    options.selected = selected;
    WriteNotebook(*notebook, a.positionals.at(1), options);
    return Success;
}

} // namespace

int run(const QStringList& arguments, QByteArray& outBytes, QByteArray& errBytes)
{
    Output out(outBytes);
    Output err(errBytes);
    if (arguments.isEmpty() || arguments.at(0) == QLatin1String("--help") ||
        arguments.at(0) == QLatin1String("-h")) {
        (arguments.isEmpty() ? err : out) << Usage;
        return arguments.isEmpty() ? UsageError : Success;
    }
    const QString command = arguments.at(0);
    const QStringList rest = arguments.mid(1);
    QByteArray produced;
    Output buffered(produced);
    try {
        int status = UsageError;
        if (command == QLatin1String("ls"))
            status = commandLs(rest, buffered);
        else if (command == QLatin1String("cat"))
            status = commandCat(rest, buffered);
        else if (command == QLatin1String("props"))
            status = commandProps(rest, buffered);
        else if (command == QLatin1String("export"))
            status = commandExport(rest);
        else
            throw UsageProblem{QStringLiteral("unknown command %1").arg(command)};
        outBytes += produced;
        return status;
    } catch (const UsageProblem& p) {
        err << "kelto-cli: " << p.message << "\n" << Usage;
        return UsageError;
    } catch (const KeltoError& e) {
        err << "kelto-cli: " << e.message() << "\n";
        return FileError;
    }
}

} // namespace kelto::cli
