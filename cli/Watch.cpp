#include "cli/Watch.h"

#include "cli/CommandSupport.h"
#include "cli/DescriptorBuffer.h"
#include "cli/RegisterJson.h"

#include "chip/FieldValue.h"
#include "chip/Number.h"
#include "chip/QuotedWord.h"
#include "chip/Readings.h"
#include "chip/RegisterTransfer.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cerrno>
#include <ostream>

using namespace kv3124;

namespace {

constexpr std::uint8_t kStatus = 0x01;
// A read of every register takes a USB bridge a few milliseconds; reads closer than this would keep it busy.
constexpr unsigned kShortestInterval = 50;
constexpr unsigned kLongestInterval = 3600 * 1000;
constexpr unsigned kLongestRun = 7 * 86400;

struct Plan {
    std::span<const Register> registers;
    std::vector<std::uint8_t> addresses;
    std::vector<const Field*> until; // any of them set ends the watch
    unsigned interval;
    std::optional<unsigned> count;
    std::optional<std::int64_t> forMilliseconds;
};

std::vector<const Field*> untilFields(const CommandContext& context, const std::vector<std::uint8_t>& watched)
{
    const auto given = context.options.find("until");
    if (given == context.options.end())
        return {};
    std::vector<const Field*> until;
    for (const QString& name : given->second.split(u',')) {
        if (name == "fault") {
            for (const Field& field : fields())
                if (field.reg == kStatus)
                    until.push_back(&field);
            continue;
        }
        const Field* field = findField(name.toStdString());
        if (!field)
            throw usage("--until: unknown field " + quotedWord(name.toStdString()) + " (a field name or fault)");
        for (std::uint8_t reg : fieldRegisters(*field))
            if (std::ranges::find(watched, reg) == watched.end())
                throw usage("--until: " + std::string(field->name) + " is not in the status register; watch --all");
        until.push_back(field);
    }
    return until;
}

Plan plan(const CommandContext& context)
{
    Plan plan;
    plan.registers = context.options.contains("all") ? registers() : std::span(findRegister(kStatus), 1);
    for (const Register& reg : plan.registers)
        plan.addresses.push_back(reg.address);
    plan.until = untilFields(context, plan.addresses);
    plan.interval
        = numberOption(context, "interval", kShortestInterval, kLongestInterval, "milliseconds").value_or(200);
    plan.count = numberOption(context, "count", 1, ~0u, "reads");
    if (const auto seconds = numberOption(context, "for", 1, kLongestRun, "seconds"))
        plan.forMilliseconds = std::int64_t { *seconds } * 1000;
    return plan;
}

// What the line of a read shows: at the first, the whole state but for undecoded bits that are clear; then
// what changed.
std::vector<Reading> shown(const std::optional<RegisterValues>& last, const RegisterValues& now, const Plan& plan)
{
    std::vector<Reading> items;
    if (!last) {
        for (const Reading& reading : readings(now, plan.addresses))
            if (reading.field || reading.value != 0)
                items.push_back(reading);
        return items;
    }
    for (const Difference& difference : differences(*last, now, plan.addresses))
        items.push_back(difference.to);
    return items;
}

void printChange(const CommandContext& context, std::int64_t time, const std::vector<Reading>& items)
{
    if (context.json) {
        QJsonArray array;
        for (const Reading& reading : items)
            array.append(readingJson(reading));
        context.out << QJsonDocument(
            QJsonObject { { "time", QString::fromStdString(utcText(time)) }, { "fields", array } })
                           .toJson(QJsonDocument::Compact)
                           .toStdString()
                    << '\n';
        return;
    }
    context.out << utcText(time);
    for (const Reading& reading : items)
        context.out << ' ' << readingName(reading) << '=' << readingText(reading);
    context.out << '\n';
}

void printEnd(const CommandContext& context, unsigned reads)
{
    const std::string time = utcText(context.clock.now());
    if (context.json)
        context.out << QJsonDocument(
            QJsonObject { { "time", QString::fromStdString(time) }, { "reads", static_cast<int>(reads) } })
                           .toJson(QJsonDocument::Compact)
                           .toStdString()
                    << '\n';
    else
        context.out << time << " end after " << reads << (reads == 1 ? " read\n" : " reads\n");
}

bool untilHolds(const Plan& plan, const RegisterValues& values)
{
    return std::ranges::any_of(
        plan.until, [&](const Field* field) { return decodeField(*field, values).value_or(0) != 0; });
}

// The reader of standard output has gone: nothing is left to say, and nothing went wrong.
void endQuietly()
{
    throw CommandFailure { exitDone, {} };
}

void flushLine(std::ostream& out)
{
    if (out.flush())
        return;
    if (const auto* descriptor = dynamic_cast<const DescriptorBuffer*>(out.rdbuf());
        descriptor && descriptor->error() == EPIPE)
        endQuietly();
    flushOutput(out);
}

struct InterruptCatch {
    explicit InterruptCatch(const Clock& clock)
        : m_clock(clock)
    {
        m_clock.catchInterrupt(true);
    }
    ~InterruptCatch() { m_clock.catchInterrupt(false); }
    InterruptCatch(const InterruptCatch&) = delete;
    InterruptCatch& operator=(const InterruptCatch&) = delete;

private:
    const Clock& m_clock;
};

} // namespace

int watch(const CommandContext& context, const QStringList&)
{
    const Plan watching = plan(context);
    const Clock& clock = context.clock;
    const InterruptCatch interruptCatch(clock);
    const std::int64_t start = clock.now();
    std::optional<RegisterValues> last;
    bool failing = false; // a failed read is said once until a read succeeds again
    for (unsigned reads = 1;; ++reads) {
        const std::int64_t readAt = clock.now();
        const ReadResult result = readRegisters(context.bus, watching.registers);
        if (result.error.empty()) {
            failing = false;
            if (const std::vector<Reading> items = shown(last, result.values, watching); !items.empty())
                printChange(context, readAt, items);
            last = result.values;
        } else if (!failing) {
            failing = true;
            context.err << "kv3124ctl: " << utcText(readAt) << ' ' << result.error << "; watching on" << std::endl;
        }
        const bool met = result.error.empty() && untilHolds(watching, result.values);
        flushLine(context.out);
        const std::int64_t now = clock.now();
        const bool over = watching.forMilliseconds && now - start >= *watching.forMilliseconds;
        if (met || over || reads == watching.count) {
            printEnd(context, reads);
            return met ? exitConditionMet : exitDone;
        }
        std::int64_t wait = std::clamp<std::int64_t>(watching.interval - (now - readAt), 0, watching.interval);
        if (watching.forMilliseconds)
            wait = std::min(wait, start + *watching.forMilliseconds - now);
        const Wake wake = clock.sleep(wait);
        if (wake == Wake::ReaderGone)
            endQuietly();
        if (wake == Wake::Interrupted
            || (watching.forMilliseconds && clock.now() - start >= *watching.forMilliseconds)) {
            printEnd(context, reads);
            return exitDone;
        }
    }
}
