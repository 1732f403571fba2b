#include "providers/jsondecoder.h"

#include <QCoreApplication>

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

std::optional<QJsonDocument> JsonDecoder::parse(const QByteArray &data)
{
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

QString JsonDecoder::requiredString(const QJsonObject &object, const QString &key, const QString &path)
{
    if (failed())
        return {};
    const std::optional<QJsonValue> value = present(object, key);
    if (!value) {
        fail(QCoreApplication::translate("JsonDecoder", "The data couldn't be read: \"%1\" is missing.")
                 .arg(where(key, path)));
        return {};
    }
    if (!value->isString()) {
        wrongType(key, path, QT_TRANSLATE_NOOP("JsonDecoder", "a string"));
        return {};
    }
    return value->toString();
}

QJsonObject JsonDecoder::requiredObject(const QJsonObject &object, const QString &key, const QString &path)
{
    if (failed())
        return {};
    const std::optional<QJsonValue> value = present(object, key);
    if (!value) {
        fail(QCoreApplication::translate("JsonDecoder", "The data couldn't be read: \"%1\" is missing.")
                 .arg(where(key, path)));
        return {};
    }
    if (!value->isObject()) {
        wrongType(key, path, QT_TRANSLATE_NOOP("JsonDecoder", "an object"));
        return {};
    }
    return value->toObject();
}

QJsonArray JsonDecoder::requiredArray(const QJsonObject &object, const QString &key, const QString &path)
{
    if (failed())
        return {};
    const std::optional<QJsonValue> value = present(object, key);
    if (!value) {
        fail(QCoreApplication::translate("JsonDecoder", "The data couldn't be read: \"%1\" is missing.")
                 .arg(where(key, path)));
        return {};
    }
    if (!value->isArray()) {
        wrongType(key, path, QT_TRANSLATE_NOOP("JsonDecoder", "an array"));
        return {};
    }
    return value->toArray();
}

std::optional<QString> JsonDecoder::optionalString(const QJsonObject &object, const QString &key,
                                                   const QString &path)
{
    const std::optional<QJsonValue> value = present(object, key);
    if (!value)
        return std::nullopt;
    if (!value->isString()) {
        wrongType(key, path, QT_TRANSLATE_NOOP("JsonDecoder", "a string"));
        return std::nullopt;
    }
    return value->toString();
}

std::optional<bool> JsonDecoder::optionalBool(const QJsonObject &object, const QString &key, const QString &path)
{
    const std::optional<QJsonValue> value = present(object, key);
    if (!value)
        return std::nullopt;
    if (!value->isBool()) {
        wrongType(key, path, QT_TRANSLATE_NOOP("JsonDecoder", "a boolean"));
        return std::nullopt;
    }
    return value->toBool();
}

std::optional<double> JsonDecoder::optionalNumber(const QJsonObject &object, const QString &key,
                                                  const QString &path)
{
    const std::optional<QJsonValue> value = present(object, key);
    if (!value)
        return std::nullopt;
    if (!value->isDouble()) {
        wrongType(key, path, QT_TRANSLATE_NOOP("JsonDecoder", "a number"));
        return std::nullopt;
    }
    return value->toDouble();
}

std::optional<QJsonObject> JsonDecoder::optionalObject(const QJsonObject &object, const QString &key,
                                                       const QString &path)
{
    const std::optional<QJsonValue> value = present(object, key);
    if (!value)
        return std::nullopt;
    if (!value->isObject()) {
        wrongType(key, path, QT_TRANSLATE_NOOP("JsonDecoder", "an object"));
        return std::nullopt;
    }
    return value->toObject();
}

std::optional<QJsonArray> JsonDecoder::optionalArray(const QJsonObject &object, const QString &key,
                                                     const QString &path)
{
    const std::optional<QJsonValue> value = present(object, key);
    if (!value)
        return std::nullopt;
    if (!value->isArray()) {
        wrongType(key, path, QT_TRANSLATE_NOOP("JsonDecoder", "an array"));
        return std::nullopt;
    }
    return value->toArray();
}
