// SPDX-License-Identifier: GPL-3.0-or-later
#include "NotebookGenerator.h"

#include "common/TextCodec.h"
#include "document/Notebook.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <vector>

namespace kelto {

namespace {

// A small, fast, portable generator (xorshift64*): std's distributions may
// differ between library versions, this does not.
class Random
{
public:
    explicit Random(quint64 seed) : m_state(seed ? seed : 1) {}
    quint64 next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }
    int below(int n) { return int(next() % quint64(n)); }

private:
    quint64 m_state;
};

QList<QByteArray> vocabulary()
{
    const QStringList words =
        QStringLiteral("записная книжка раздел текст дерево заметка поиск замена экспорт печать "
                       "шаблон дата время таблица символов сортировка список навигатор редактор "
                       "Ёлка щука съезд объём жёлтый «цитата» №12 — тире "
                       "notebook section tree body caption search replace export print template "
                       "date time table sort list navigator editor fast offline Linux desktop")
            .split(QLatin1Char(' '));
    QList<QByteArray> out;
    for (const QString& w : words)
        out << cp1251::encode(w);
    return out;
}

} // namespace

void generateNotebook(Notebook& notebook, const GeneratorOptions& options)
{
    Random random(options.seed);
    const QList<QByteArray> words = vocabulary();
    const qint64 perBody = options.sections > 0 ? options.bodyBytes / options.sections : 0;

    QByteArray image;
    image.reserve(qsizetype(options.bodyBytes + options.bodyBytes / 8));
    struct Slice
    {
        qsizetype offset;
        qsizetype length;
    };
    std::vector<Slice> slices;
    slices.reserve(size_t(options.sections));

    std::vector<Section*> path; // path[k]: the last section made at level k
    for (int i = 0; i < options.sections; ++i) {
        const int previous = path.empty() ? -1 : int(path.size()) - 1;
        // Mostly stay or go one deeper, sometimes climb back.
        int level = 0;
        if (previous >= 0) {
            const int r = random.below(10);
            if (r < 4)
                level = std::min(previous + 1, options.maxLevel);
            else if (r < 8)
                level = previous;
            else
                level = random.below(previous + 1);
        }
        QString caption = QStringLiteral("%1 %2")
                              .arg(cp1251::decode(words[random.below(int(words.size()))]))
                              .arg(i);
        path.resize(size_t(level));
        Section* parent = level > 0 ? path.back() : nullptr;
        path.push_back(notebook.appendSection(parent, std::move(caption)));

        // Bodies vary from empty to about twice the mean size.
        const qint64 want = perBody > 0 ? qint64(random.next() % quint64(2 * perBody + 1)) : 0;
        const qsizetype start = image.size();
        qsizetype lineStart = start;
        while (image.size() - start < want) {
            image += words[random.below(int(words.size()))];
            if (image.size() - lineStart > 70) {
                image += "\r\n";
                lineStart = image.size();
            } else {
                image += ' ';
            }
        }
        slices.push_back({start, image.size() - start});
    }
    size_t k = 0;
    for (Section* s = notebook.firstSection(); s; s = notebook.nextSection(s), ++k)
        s->body().setStored(image, slices[k].offset, slices[k].length, TextEncoding::Cp1251);
    notebook.setCurrent(notebook.firstSection());
}

} // namespace kelto
