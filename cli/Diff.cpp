#include "cli/Diff.h"

#include "cli/CommandSupport.h"
#include "cli/RegisterJson.h"

#include "chip/Readings.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <ostream>

using namespace kv3124;

namespace {

std::string differencesText(const std::vector<Difference>& found)
{
    std::string text;
    for (const auto& [from, to] : found)
        text += readingName(from) + ": " + readingText(from) + " -> " + readingText(to) + '\n';
    return text;
}

std::string differencesJson(const std::vector<Difference>& found)
{
    QJsonArray array;
    for (const auto& [from, to] : found)
        array.append(QJsonObject { { "from", readingJson(from) }, { "to", readingJson(to) } });
    return QJsonDocument(QJsonObject { { "differences", array } }).toJson().toStdString();
}

} // namespace

int diff(const CommandContext& context, const QStringList& words)
{
    const RegisterValues from = snapshotValues(words[1]);
    const RegisterValues to = words.size() > 2 ? snapshotValues(words[2]) : readAll(context);
    const std::vector<Difference> found
        = differences(from, to, sharedRegisters(from, to, context.options.contains("all")));
    context.out << (context.json ? differencesJson(found) : differencesText(found));
    return found.empty() ? exitDone : exitConditionMet;
}
