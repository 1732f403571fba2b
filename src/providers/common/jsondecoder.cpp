#include "providers/common/jsondecoder.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString where(const QString &key, const QString &path)
{
    return path.isEmpty() ? key : path + u'.' + key;
}

} // namespace

void JsonDecoder::fail(const QString &message)
{
    if (!m_error)
        m_error = message;
}

void JsonDecoder::wrongType(const QString &key, const QString &path, const char *expected)
{
    fail(QCoreApplication::translate("JsonDecoder", "The data couldn't be read: \"%1\" is not %2.")
             .arg(where(key, path), QCoreApplication::translate("JsonDecoder", expected)));
}

QJsonObject JsonDecoder::parseObject(const QByteArray &data)
{
    const std::optional<QJsonDocument> parsed = parse(data);
    if (parsed && !parsed->isObject())
        fail(QCoreApplication::translate("JsonDecoder", "The data couldn't be read: the document is not an object."));
    return parsed ? parsed->object() : QJsonObject();
}

bool JsonDecoder::mayBeJson(const QByteArray &body)
{
    QByteArrayView rest(body);
    // Servers put a byte-order mark before pages written on Windows.
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    const auto first = std::find_if_not(rest.begin(), rest.end(),
                                        [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    if (first == rest.end() || *first != '<')
        return true;
    fail(QCoreApplication::translate("JsonDecoder", "Not a status feed: the address answered with a web page"));
    return false;
}

std::optional<QJsonDocument> JsonDecoder::parse(const QByteArray &data)
{
    if (!mayBeJson(data))
        return std::nullopt;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        fail(QCoreApplication::translate("JsonDecoder", "The data couldn't be read: %1 at offset %2.")
                 .arg(parseError.errorString())
                 .arg(parseError.offset));
        return std::nullopt;
    }
    return document;
}

std::optional<QJsonValue> JsonDecoder::present(const QJsonObject &object, const QString &key)
{
    if (failed())
        return std::nullopt;
    const auto it = object.constFind(key);
    if (it == object.constEnd() || it->isNull())
        return std::nullopt;
    return *it;
}

QJsonObject JsonDecoder::object(const QJsonValue &value, const QString &path)
{
    if (failed())
        return {};
    if (!value.isObject()) {
        fail(QCoreApplication::translate("JsonDecoder", "The data couldn't be read: \"%1\" is not an object.")
                 .arg(path.isEmpty() ? QStringLiteral("(top level)") : path));
        return {};
    }
    return value.toObject();
}

namespace {

const char *typeName(QJsonValue::Type type)
{
    switch (type) {
    case QJsonValue::String:
        return QT_TRANSLATE_NOOP("JsonDecoder", "a string");
    case QJsonValue::Bool:
        return QT_TRANSLATE_NOOP("JsonDecoder", "a boolean");
    case QJsonValue::Double:
        return QT_TRANSLATE_NOOP("JsonDecoder", "a number");
    case QJsonValue::Array:
        return QT_TRANSLATE_NOOP("JsonDecoder", "an array");
    default:
        return QT_TRANSLATE_NOOP("JsonDecoder", "an object");
    }
}

} // namespace

std::optional<QJsonValue> JsonDecoder::typed(const QJsonObject &object, const QString &key, const QString &path,
                                             QJsonValue::Type type, Presence presence)
{
    if (failed())
        return std::nullopt;
    const std::optional<QJsonValue> value = present(object, key);
    if (!value) {
        if (presence == Presence::Required) {
            fail(QCoreApplication::translate("JsonDecoder", "The data couldn't be read: \"%1\" is missing.")
                     .arg(where(key, path)));
        }
        return std::nullopt;
    }
    if (value->type() != type) {
        wrongType(key, path, typeName(type));
        return std::nullopt;
    }
    return value;
}

QString JsonDecoder::requiredString(const QJsonObject &object, const QString &key, const QString &path)
{
    return typed(object, key, path, QJsonValue::String, Presence::Required).value_or(QJsonValue()).toString();
}

QJsonObject JsonDecoder::requiredObject(const QJsonObject &object, const QString &key, const QString &path)
{
    return typed(object, key, path, QJsonValue::Object, Presence::Required).value_or(QJsonValue()).toObject();
}

QJsonArray JsonDecoder::requiredArray(const QJsonObject &object, const QString &key, const QString &path)
{
    return typed(object, key, path, QJsonValue::Array, Presence::Required).value_or(QJsonValue()).toArray();
}

std::optional<QString> JsonDecoder::optionalString(const QJsonObject &object, const QString &key, const QString &path)
{
    const std::optional<QJsonValue> value = typed(object, key, path, QJsonValue::String, Presence::Optional);
    return value ? std::optional<QString>(value->toString()) : std::nullopt;
}

std::optional<bool> JsonDecoder::optionalBool(const QJsonObject &object, const QString &key, const QString &path)
{
    const std::optional<QJsonValue> value = typed(object, key, path, QJsonValue::Bool, Presence::Optional);
    return value ? std::optional<bool>(value->toBool()) : std::nullopt;
}

std::optional<double> JsonDecoder::optionalNumber(const QJsonObject &object, const QString &key, const QString &path)
{
    const std::optional<QJsonValue> value = typed(object, key, path, QJsonValue::Double, Presence::Optional);
    return value ? std::optional<double>(value->toDouble()) : std::nullopt;
}

std::optional<QJsonObject> JsonDecoder::optionalObject(const QJsonObject &object, const QString &key,
                                                       const QString &path)
{
    const std::optional<QJsonValue> value = typed(object, key, path, QJsonValue::Object, Presence::Optional);
    return value ? std::optional<QJsonObject>(value->toObject()) : std::nullopt;
}

std::optional<QJsonArray> JsonDecoder::optionalArray(const QJsonObject &object, const QString &key, const QString &path)
{
    const std::optional<QJsonValue> value = typed(object, key, path, QJsonValue::Array, Presence::Optional);
    return value ? std::optional<QJsonArray>(value->toArray()) : std::nullopt;
}
