#include "net/curlerrors.h"

#include "net/httptransport.h"

#include <QCoreApplication>
#include <QSslError>

#include <cerrno>
#include <openssl/x509_vfy.h>

namespace CurlErrors {

namespace {

QString qtText(const char *text)
{
    return QCoreApplication::translate("QHttp", text);
}

// OpenSSL's verdict on a peer chain as Qt names it (QSslError).
QSslError::SslError verificationError(long result)
{
    switch (result) {
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
        return QSslError::UnableToGetIssuerCertificate;
    case X509_V_ERR_UNABLE_TO_DECRYPT_CERT_SIGNATURE:
        return QSslError::UnableToDecryptCertificateSignature;
    case X509_V_ERR_UNABLE_TO_DECODE_ISSUER_PUBLIC_KEY:
        return QSslError::UnableToDecodeIssuerPublicKey;
    case X509_V_ERR_CERT_SIGNATURE_FAILURE:
        return QSslError::CertificateSignatureFailed;
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return QSslError::CertificateNotYetValid;
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return QSslError::CertificateExpired;
    case X509_V_ERR_ERROR_IN_CERT_NOT_BEFORE_FIELD:
        return QSslError::InvalidNotBeforeField;
    case X509_V_ERR_ERROR_IN_CERT_NOT_AFTER_FIELD:
        return QSslError::InvalidNotAfterField;
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
        return QSslError::SelfSignedCertificate;
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        return QSslError::SelfSignedCertificateInChain;
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
        return QSslError::UnableToGetLocalIssuerCertificate;
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return QSslError::UnableToVerifyFirstCertificate;
    case X509_V_ERR_CERT_REVOKED:
        return QSslError::CertificateRevoked;
    case X509_V_ERR_INVALID_CA:
        return QSslError::InvalidCaCertificate;
    case X509_V_ERR_PATH_LENGTH_EXCEEDED:
        return QSslError::PathLengthExceeded;
    case X509_V_ERR_INVALID_PURPOSE:
        return QSslError::InvalidPurpose;
    case X509_V_ERR_CERT_UNTRUSTED:
        return QSslError::CertificateUntrusted;
    case X509_V_ERR_CERT_REJECTED:
        return QSslError::CertificateRejected;
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_OK: // the chain was fine, the name was not
        return QSslError::HostNameMismatch;
    default:
        return QSslError::UnspecifiedError;
    }
}

HttpResponse handshakeFailure(const QString &detail)
{
    return HttpTransport::failure(QNetworkReply::SslHandshakeFailedError,
                                  qtText("SSL handshake failed") + QStringLiteral(": ") + detail);
}

// OpenSSL's own words from libcurl's error buffer, without libcurl's prefix.
QString openSslDetail(const char *errors)
{
    const QString text = QString::fromUtf8(errors);
    const qsizetype at = text.indexOf(u"error:");
    return at >= 0 ? text.sliced(at) : text;
}

HttpResponse connectFailure(CURL *easy, bool viaProxy)
{
    long osError = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osError);
    switch (osError) {
    case ENETUNREACH:
        return HttpTransport::failure(QNetworkReply::UnknownNetworkError,
                                      QCoreApplication::translate("QAbstractSocket", "Network unreachable"));
    case EHOSTUNREACH:
        return HttpTransport::failure(QNetworkReply::UnknownNetworkError,
                                      QCoreApplication::translate("QAbstractSocket", "Host unreachable"));
    default:
        break;
    }
    // Qt files a tunnel its proxy refused under no particular kind, with the proxy's text.
    if (viaProxy)
        return HttpTransport::failure(QNetworkReply::UnknownNetworkError,
                                      QCoreApplication::translate("QHttp", "Proxy connection refused"));
    return HttpTransport::failure(QNetworkReply::ConnectionRefusedError, qtText("Connection refused"));
}

} // namespace

HttpResponse failure(CURLcode code, CURL *easy, const char *errors, const QUrl &url, bool viaProxy)
{
    using HttpTransport::failure;
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return failure(QNetworkReply::HostNotFoundError, qtText("Host %1 not found").arg(url.host()));
    case CURLE_COULDNT_RESOLVE_PROXY:
        return failure(QNetworkReply::ProxyNotFoundError,
                       QCoreApplication::translate("QAbstractSocket", "Proxy not found"));
    case CURLE_COULDNT_CONNECT:
        // Qt tells a refusing proxy as such only for a tunnel; a plain http request goes to
        // the proxy as it would to the server, and its refusal reads as the server's.
        return connectFailure(easy, viaProxy && url.scheme() == u"https");
    case CURLE_OPERATION_TIMEDOUT:
        return failure(QNetworkReply::TimeoutError, HttpSession::timedOutText());
    case CURLE_PEER_FAILED_VERIFICATION: {
        long result = X509_V_OK;
        curl_easy_getinfo(easy, CURLINFO_SSL_VERIFYRESULT, &result);
        return handshakeFailure(QSslError(verificationError(result)).errorString());
    }
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
        return handshakeFailure(
            QCoreApplication::translate("QSslSocket", "Error during SSL handshake: %1").arg(openSslDetail(errors)));
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        return failure(QNetworkReply::RemoteHostClosedError, qtText("Connection closed"));
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL: // an answer in HTTP/0.9
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
    case CURLE_HTTP3:
    case CURLE_BAD_CONTENT_ENCODING:
        return failure(QNetworkReply::ProtocolFailure, HttpTransport::malformedText());
    case CURLE_URL_MALFORMAT:
        return failure(QNetworkReply::ProtocolUnknownError,
                       QCoreApplication::translate("HttpSession", "Unsupported URL"));
    case CURLE_PROXY:
        return failure(QNetworkReply::UnknownProxyError,
                       QCoreApplication::translate("QHttpSocketEngine", "Proxy denied connection"));
    default:
        break;
    }
    const QString detail = QString::fromUtf8(errors);
    return failure(QNetworkReply::UnknownNetworkError,
                   detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(code)) : detail);
}

HttpResponse tooManyRedirects()
{
    return HttpTransport::failure(QNetworkReply::TooManyRedirectsError, qtText("Too many redirects"));
}

HttpResponse insecureRedirect()
{
    return HttpTransport::failure(QNetworkReply::InsecureRedirectError, qtText("Insecure redirect"));
}

HttpResponse proxyAuthenticationRequired()
{
    return HttpTransport::failure(QNetworkReply::ProxyAuthenticationRequiredError,
                                  qtText("Proxy requires authentication"));
}

} // namespace CurlErrors
