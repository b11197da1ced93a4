#include "cli/Export.h"

#include "cli/CommandSupport.h"

#include "chip/ChipDescription.h"
#include "chip/Number.h"
#include "chip/QuotedWord.h"
#include "chip/RegisterTransfer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <ostream>

using namespace kv3124;

namespace {

constexpr std::string_view kTitle = "KV3124 register writes that set the chip as saved, in order (kv3124ctl export)";

std::string commentOf(const SnapshotEntry& write, const RegisterValues& values)
{
    return registerComment(*findRegister(write.reg), values);
}

std::string cHeader(const std::vector<SnapshotEntry>& writes, const RegisterValues& values)
{
    std::string text = "/* " + std::string(kTitle)
        + ". */\n"
          "#ifndef KV3124_INIT_H\n#define KV3124_INIT_H\n\n#include <stdint.h>\n\n"
          "#define KV3124_I2C_ADDRESS 0x2C\n\n"
          "struct kv3124_write {\n    uint8_t reg;\n    uint8_t value;\n};\n\n"
          "static const struct kv3124_write kv3124_init[] = {\n";
    for (const SnapshotEntry& write : writes)
        text += "    { " + hex(write.reg) + ", " + hex(write.value) + " }, /* " + commentOf(write, values) + " */\n";
    return text + "};\n\n#endif /* KV3124_INIT_H */\n";
}

std::string i2csetScript(const std::vector<SnapshotEntry>& writes, const RegisterValues& values)
{
    std::string text = "#!/bin/sh\n# " + std::string(kTitle)
        + ".\n# Usage: sh FILE BUS, BUS being the number of the board's I2C bus (i2cdetect -l lists them).\n"
          "set -e\nif [ $# -ne 1 ]; then\n    echo \"usage: $0 BUS\" >&2\n    exit 2\nfi\nBUS=$1\n";
    for (const SnapshotEntry& write : writes)
        text += "i2cset -y \"$BUS\" 0x2c " + hex(write.reg) + ' ' + hex(write.value) + "  # " + commentOf(write, values)
            + '\n';
    return text;
}

std::string writesJson(const std::vector<SnapshotEntry>& writes, const RegisterValues&)
{
    QJsonArray array;
    for (const SnapshotEntry& write : writes)
        array.append(QJsonObject { { "register", write.reg }, { "value", write.value } });
    return QJsonDocument(QJsonObject { { "address", 0x2C }, { "writes", array } }).toJson().toStdString();
}

const std::map<QString, std::string (*)(const std::vector<SnapshotEntry>&, const RegisterValues&)> formats {
    { "c", cHeader },
    { "i2cset", i2csetScript },
    { "json", writesJson },
};

} // namespace

int exportSettings(const CommandContext& context, const QStringList& words)
{
    const QString name = context.options.contains("format") ? context.options.at("format") : "c";
    const auto format = formats.find(name);
    if (format == formats.end())
        throw usage("--format=" + quotedWord(name.toStdString()) + " is not one of c, i2cset, json");
    std::vector<SnapshotEntry> entries;
    if (words.size() > 1)
        entries = snapshotEntries(words[1]);
    else
        for (const auto& [reg, value] : readAll(context))
            entries.push_back({ reg, value });
    const std::vector<SnapshotEntry> writes = loadWrites(entries);
    if (writes.empty())
        throw usage(words.value(1).toStdString() + " holds no register a load writes");
    RegisterValues values;
    for (const SnapshotEntry& write : writes)
        values[write.reg] = write.value;
    context.out << format->second(writes, values);
    return exitDone;
}
