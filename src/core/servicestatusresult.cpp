#include "core/servicestatusresult.h"

QString maintenanceStatusWord(Maintenance::Status status)
{
    return status == Maintenance::Status::InProgress ? QStringLiteral("in_progress") : QStringLiteral("scheduled");
}
