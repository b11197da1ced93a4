#include "cli/ScriptLine.h"

#include "cli/CommandFailure.h"

QStringList scriptWords(const QString& line)
{
    QStringList words;
    qsizetype at = 0;
    while (true) {
        while (at < line.size() && line[at].isSpace())
            ++at;
        if (at == line.size() || line[at] == u'#')
            return words;
        if (line[at] == u'"') {
            const qsizetype close = line.indexOf(u'"', at + 1);
            if (close < 0)
                throw CommandFailure { exitUsage, "unclosed quote" };
            words << line.mid(at + 1, close - at - 1);
            at = close + 1;
        } else {
            const qsizetype start = at;
            while (at < line.size() && !line[at].isSpace())
                ++at;
            words << line.mid(start, at - start);
        }
    }
}
