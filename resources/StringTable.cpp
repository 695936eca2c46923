#include "resources/StringTable.h"

#include <algorithm>

extern const char* const gorvaneStringTableText;

namespace {

QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 == text.size()) {
            out.append(c);
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case 'n': out.append(u'\n'); break;
        case 'r': out.append(u'\r'); break;
        case 't': out.append(u'\t'); break;
        default: out.append(next); break;
        }
    }
    return out;
}

} // namespace

StringTable StringTable::parse(const QString& tableText)
{
    StringTable table;
    const auto lines = QStringView(tableText).split(u'\n');
    for (QStringView line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool isNumber = false;
        const int id = line.left(tab).trimmed().toInt(&isNumber);
        if (isNumber)
            table.texts_.insert(id, unescape(line.mid(tab + 1)));
    }
    return table;
}

const StringTable& StringTable::builtIn()
{
    static const StringTable table = parse(QString::fromUtf8(gorvaneStringTableText));
    return table;
}

QList<int> StringTable::ids() const
{
    QList<int> ids = texts_.keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString loadString(int id)
{
    return StringTable::builtIn().text(id);
}
