#include "cli/ScriptLine.h"

#include "cli/CommandFailure.h"

#include <istream>

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

std::optional<std::string> readScriptLine(std::istream& in, bool first)
{
    std::string line;
    for (int c = in.get(); c != std::istream::traits_type::eof(); c = in.get()) {
        if (c == '\n')
            break;
        if (line.size() == scriptLineLimit)
            throw CommandFailure { exitUsage, "longer than " + std::to_string(scriptLineLimit) + " bytes" };
        line.push_back(static_cast<char>(c));
    }
    if (line.empty() && !in)
        return std::nullopt;
    if (first && line.starts_with("\xEF\xBB\xBF"))
        line.erase(0, 3);
    return line;
}
