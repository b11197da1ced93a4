#include "cli/RegisterJson.h"

#include "chip/ChipDescription.h"
#include "chip/FieldValue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using namespace kv3124;

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

const char* accessName(RegisterAccess access)
{
    switch (access) {
    case RegisterAccess::Written:
        return "written";
    case RegisterAccess::ReadOnly:
        return "read-only";
    default:
        return "shown-only";
    }
}

QJsonArray fieldsJson(const Register& reg, const RegisterValues& values)
{
    QJsonArray array;
    for (const Field& field : fields()) {
        if (field.reg != reg.address)
            continue;
        const std::optional<unsigned> value = decodeField(field, values);
        if (!value)
            continue;
        QJsonObject object { { "name", text(field.name) }, { "value", static_cast<int>(*value) } };
        if (!field.items.empty())
            object.insert("item", text(field.items[*value]));
        array.append(object);
    }
    return array;
}

} // namespace

std::string registersJson(const RegisterValues& values)
{
    QJsonArray array;
    for (const Register& reg : registers())
        if (const auto found = values.find(reg.address); found != values.end())
            array.append(QJsonObject { { "address", reg.address }, { "name", text(reg.name) },
                { "access", accessName(reg.access) }, { "value", found->second },
                { "fields", fieldsJson(reg, values) } });
    return QJsonDocument(QJsonObject { { "registers", array } }).toJson().toStdString();
}
