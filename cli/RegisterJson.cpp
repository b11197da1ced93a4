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

// `object` with the value, and its text where the field's values have texts.
QJsonObject itemJson(const Field& field, unsigned value, QJsonObject object)
{
    object.insert("value", static_cast<int>(value));
    if (!field.items.empty())
        object.insert("item", text(field.items[value]));
    return object;
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
        array.append(itemJson(field, *value, QJsonObject { { "name", text(field.name) } }));
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

QJsonObject readingJson(const Reading& reading)
{
    const QJsonObject object { { "name", QString::fromStdString(readingName(reading)) }, { "register", reading.reg } };
    if (reading.field)
        return itemJson(*reading.field, reading.value, object);
    QJsonObject bits = object;
    bits.insert("value", static_cast<int>(reading.value));
    return bits;
}
