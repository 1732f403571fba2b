#include "providers/aws/awsregions.h"

#include <QCoreApplication>
#include <QStringList>

namespace AWSRegions {

const QList<Group> &groups()
{
    static const QList<Group> table{
        {QString::fromLatin1(QT_TRANSLATE_NOOP("AWSRegions", "Americas")),
         {{QStringLiteral("us-east-1"), QStringLiteral("N. Virginia")},
          {QStringLiteral("us-east-2"), QStringLiteral("Ohio")},
          {QStringLiteral("us-west-1"), QStringLiteral("N. California")},
          {QStringLiteral("us-west-2"), QStringLiteral("Oregon")},
          {QStringLiteral("ca-central-1"), QStringLiteral("Canada")},
          {QStringLiteral("sa-east-1"), QStringLiteral("S\u00E3o Paulo")}}},
        {QString::fromLatin1(QT_TRANSLATE_NOOP("AWSRegions", "Europe")),
         {{QStringLiteral("eu-west-1"), QStringLiteral("Ireland")},
          {QStringLiteral("eu-west-2"), QStringLiteral("London")},
          {QStringLiteral("eu-west-3"), QStringLiteral("Paris")},
          {QStringLiteral("eu-central-1"), QStringLiteral("Frankfurt")},
          {QStringLiteral("eu-central-2"), QStringLiteral("Zurich")},
          {QStringLiteral("eu-north-1"), QStringLiteral("Stockholm")},
          {QStringLiteral("eu-south-1"), QStringLiteral("Milan")}}},
        {QString::fromLatin1(QT_TRANSLATE_NOOP("AWSRegions", "Asia Pacific")),
         {{QStringLiteral("ap-south-1"), QStringLiteral("Mumbai")},
          {QStringLiteral("ap-southeast-1"), QStringLiteral("Singapore")},
          {QStringLiteral("ap-southeast-2"), QStringLiteral("Sydney")},
          {QStringLiteral("ap-northeast-1"), QStringLiteral("Tokyo")},
          {QStringLiteral("ap-northeast-2"), QStringLiteral("Seoul")},
          {QStringLiteral("ap-northeast-3"), QStringLiteral("Osaka")},
          {QStringLiteral("ap-east-1"), QStringLiteral("Hong Kong")}}},
        {QString::fromLatin1(QT_TRANSLATE_NOOP("AWSRegions", "Middle East & Africa")),
         {{QStringLiteral("me-central-1"), QStringLiteral("UAE")},
          {QStringLiteral("me-south-1"), QStringLiteral("Bahrain")},
          {QStringLiteral("af-south-1"), QStringLiteral("Cape Town")}}},
    };
    return table;
}

} // namespace AWSRegions
