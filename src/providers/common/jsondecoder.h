#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <optional>

// Strict reading of feed documents: a required key that is missing, or any present key
// of the wrong JSON type, fails the whole document. The first problem is kept as the
// error text; after a failure every read returns an empty value.
class JsonDecoder
{
public:
    // Parses the bytes; a web page (mayBeJson()) or a syntax error becomes the error text.
    std::optional<QJsonDocument> parse(const QByteArray &data);
    // False, failing the document, when the body is a web page: its first character after
    // blanks is "<", which no JSON document starts with. An error page, a login wall or a
    // site's home page where the feed should be then says so instead of naming a character
    // offset. Providers that unwrap the body before parsing ask this of the body as received.
    bool mayBeJson(const QByteArray &body);
    // The document, which must be a JSON object; anything else fails it.
    QJsonObject parseObject(const QByteArray &data);

    QJsonObject object(const QJsonValue &value, const QString &path);

    QString requiredString(const QJsonObject &object, const QString &key, const QString &path);
    QJsonObject requiredObject(const QJsonObject &object, const QString &key, const QString &path);
    QJsonArray requiredArray(const QJsonObject &object, const QString &key, const QString &path);

    // Absent and null both read as absent.
    std::optional<QString> optionalString(const QJsonObject &object, const QString &key, const QString &path);
    std::optional<bool> optionalBool(const QJsonObject &object, const QString &key, const QString &path);
    std::optional<double> optionalNumber(const QJsonObject &object, const QString &key, const QString &path);
    std::optional<QJsonObject> optionalObject(const QJsonObject &object, const QString &key, const QString &path);
    std::optional<QJsonArray> optionalArray(const QJsonObject &object, const QString &key, const QString &path);

    bool failed() const { return m_error.has_value(); }
    QString error() const { return m_error.value_or(QString()); }
    void fail(const QString &message);

private:
    enum class Presence { Required, Optional };

    // The value under `key` when present and of `type`; a wrong type, or a missing
    // required key, fails the document.
    std::optional<QJsonValue> typed(const QJsonObject &object, const QString &key, const QString &path,
                                    QJsonValue::Type type, Presence presence);
    std::optional<QJsonValue> present(const QJsonObject &object, const QString &key);
    void wrongType(const QString &key, const QString &path, const char *expected);

    std::optional<QString> m_error;
};
